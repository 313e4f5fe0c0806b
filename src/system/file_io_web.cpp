// Writing whole memory files in the browser edition: see file_io.hpp. A
// temporary file is renamed over the target; there are no links, modes or
// folders to keep.
#include "system/file_io.hpp"
#include "system/memory_files.hpp"
#include "system/platform_file.hpp"
#include "system/system_error.hpp"

namespace velquist {

TAtomicFileWriter::TAtomicFileWriter(const std::string& path, std::size_t)
    : path_(path), target_(path) {
    if (const int error = temporary_.Create(FolderOf(target_), ".vq", ""); error != 0)
        throw CannotCreateFileError(path_, error);
}

TAtomicFileWriter::~TAtomicFileWriter() = default;

TFileDescriptor TAtomicFileWriter::Descriptor() const { return temporary_.Descriptor(); }

void TAtomicFileWriter::Write(std::string_view bytes) {
    if (const int error = WriteAll(Descriptor(), bytes); error != 0)
        throw StreamWriteError(path_, error);
    written_ += bytes.size();
}

void TAtomicFileWriter::Commit() {
    temporary_.Close();
    MoveMemoryFile(temporary_.Path(), target_);
    temporary_.Release();
}

}  // namespace velquist
