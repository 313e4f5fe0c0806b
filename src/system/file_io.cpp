// Writing whole files and comparing file names, the part both platforms
// share: see file_io.hpp.
#include "system/file_io.hpp"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/globals.hpp"
#include "system/platform_file.hpp"

namespace velquist {
namespace {

std::filesystem::path PathOf(const std::string& name) {
#ifdef _WIN32
    // Names are UTF-8 inside the program; a narrow path would be read in the
    // ANSI code page.
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
#else
    return name;
#endif
}

bool SameText(const std::string& a, const std::string& b) {
#ifdef _WIN32
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
#else
    return a == b;
#endif
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const std::size_t separator = path.find_last_of(PathSeparators);
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
    TAtomicFileWriter file(path, bytes.size());
    file.Write(bytes);
    file.Commit();
}

bool IsSameFile(const std::string& a, const std::string& b) {
    if (SameText(a, b)) return true;
    std::error_code error;
    return std::filesystem::equivalent(PathOf(a), PathOf(b), error) && !error;
}

}  // namespace velquist
