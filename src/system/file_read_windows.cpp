// Opening and reading a file for bounded reading, with wide-character
// Windows calls.
#include <windows.h>

#include <algorithm>

#include "system/platform_file.hpp"
#include "system/system_error.hpp"
#include "system/system_text.hpp"

namespace velquist {

TReadSource::TReadSource(const std::string& path) {
    // Others may go on writing, renaming or deleting the file while it is read,
    // as they may on POSIX. A folder does not open without backup semantics.
    const HANDLE file = ::CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw CannotOpenFileError(path, static_cast<int>(::GetLastError()));
    file_ = file;
    LARGE_INTEGER size{};
    if (::GetFileType(file) == FILE_TYPE_DISK && ::GetFileSizeEx(file, &size) && size.QuadPart > 0)
        size_ = static_cast<std::size_t>(size.QuadPart);
}

TReadSource::~TReadSource() { ::CloseHandle(file_); }

int TReadSource::Read(char* buffer, std::size_t size, std::size_t& got) {
    DWORD n = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    got = 0;
    if (::ReadFile(file_, buffer, want, &n, nullptr)) {
        got = n;
        return 0;
    }
    const DWORD error = ::GetLastError();
    // A pipe whose writer has gone has simply ended.
    return error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF ? 0 : static_cast<int>(error);
}

}  // namespace velquist
