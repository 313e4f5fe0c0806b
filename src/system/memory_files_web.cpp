#include <algorithm>
#include <cstring>
#include <map>
#include <utility>
#include <vector>

#include "system/memory_files.hpp"

namespace velquist {
namespace {

std::map<std::string, std::string>& Files() {
    static std::map<std::string, std::string> files;
    return files;
}

// A file being written holds its own bytes until it is closed; one being read
// reads the stored file, which nothing replaces while it is open.
struct TOpenFile {
    bool Open = false;
    bool Writing = false;
    std::string Path;
    std::string Bytes;
    const std::string* Reading = nullptr;
    std::size_t Offset = 0;
};

// A merge has a few files open at a time (reports loaded, the result, the
// picture, the bitmap).
std::vector<TOpenFile>& OpenFiles() {
    static std::vector<TOpenFile> open(16);
    return open;
}

int Open(TOpenFile file) {
    std::vector<TOpenFile>& open = OpenFiles();
    const auto free = std::find_if(open.begin(), open.end(), [](auto& f) { return !f.Open; });
    if (free == open.end()) return -1;
    *free = std::move(file);
    free->Open = true;
    return static_cast<int>(free - open.begin());
}

TOpenFile& At(int descriptor) { return OpenFiles()[static_cast<std::size_t>(descriptor)]; }

}  // namespace

void PutMemoryFile(const std::string& path, std::string bytes) { Files()[path] = std::move(bytes); }

const std::string* FindMemoryFile(const std::string& path) {
    const auto found = Files().find(path);
    return found == Files().end() ? nullptr : &found->second;
}

void RemoveMemoryFile(const std::string& path) { Files().erase(path); }

bool MoveMemoryFile(const std::string& from, const std::string& to) {
    const auto found = Files().find(from);
    if (found == Files().end()) return false;
    std::string bytes = std::move(found->second);
    Files().erase(found);
    Files()[to] = std::move(bytes);
    return true;
}

int OpenMemoryFileToWrite(const std::string& path) {
    TOpenFile file;
    file.Writing = true;
    file.Path = path;
    const int descriptor = Open(std::move(file));
    if (descriptor >= 0) PutMemoryFile(path, {});
    return descriptor;
}

int OpenMemoryFileToRead(const std::string& path) {
    const std::string* bytes = FindMemoryFile(path);
    if (bytes == nullptr) return -1;
    TOpenFile file;
    file.Reading = bytes;
    return Open(std::move(file));
}

void AppendToMemoryFile(int descriptor, std::string_view bytes) {
    At(descriptor).Bytes.append(bytes);
}

std::size_t ReadMemoryFile(int descriptor, char* buffer, std::size_t size) {
    TOpenFile& file = At(descriptor);
    const std::size_t n = std::min(size, file.Reading->size() - file.Offset);
    std::memcpy(buffer, file.Reading->data() + file.Offset, n);
    file.Offset += n;
    return n;
}

std::size_t MemoryFileSize(int descriptor) { return At(descriptor).Reading->size(); }

void CloseMemoryFile(int descriptor) {
    TOpenFile& file = At(descriptor);
    if (!file.Open) return;
    // A file removed while it was written (a temporary file given up) stays removed.
    if (file.Writing && FindMemoryFile(file.Path) != nullptr)
        PutMemoryFile(file.Path, std::move(file.Bytes));
    file = TOpenFile();
}

}  // namespace velquist
