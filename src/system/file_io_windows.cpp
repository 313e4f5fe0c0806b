// Writing whole files with wide-character Windows calls: see file_io.hpp.
#include <windows.h>

#include "system/file_io.hpp"
#include "system/platform_file.hpp"
#include "system/system_error.hpp"
#include "system/system_text.hpp"

namespace velquist {
namespace {

enum class TTarget { Missing, File, Folder, Device };

// What the path names now. A handle without access rights opens even a file
// that another program holds locked; what cannot be opened at all is left to
// the writing to report.
TTarget TargetKind(const std::string& path) {
    const HANDLE file = ::CreateFileW(Utf8ToWide(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return TTarget::Missing;
    TTarget kind = TTarget::File;
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file) != FILE_TYPE_DISK)
        kind = TTarget::Device;
    else if (::GetFileInformationByHandle(file, &info) &&
             (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        kind = TTarget::Folder;
    ::CloseHandle(file);
    return kind;
}

int LastError() { return static_cast<int>(::GetLastError()); }

}  // namespace

// Windows reserves the space as the file grows; sizeHint is not needed here.
TAtomicFileWriter::TAtomicFileWriter(const std::string& path, std::size_t)
    : path_(path), target_(path) {
    const TTarget kind = TargetKind(target_);
    // Windows' own answer for writing to a folder.
    if (kind == TTarget::Folder) throw CannotCreateFileError(path_, ERROR_ACCESS_DENIED);
    if (kind == TTarget::Device) {
        OpenInPlace(false);
        return;
    }
    // Beside the target, so that the move stays on one volume.
    const int error = temporary_.Create(FolderOf(target_), ".vq", "");
    if (error == 0) return;
    if (kind == TTarget::File && error == ERROR_ACCESS_DENIED)
        OpenInPlace(true);
    else
        throw CannotCreateFileError(path_, error);
}

void TAtomicFileWriter::OpenInPlace(bool isRegular) {
    const HANDLE file = ::CreateFileW(Utf8ToWide(target_).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw CannotCreateFileError(path_, LastError());
    inPlace_ = file;
    // A regular file is cut to what was written only at Commit, so a failure
    // before the first write leaves it as it was.
    truncateInPlace_ = isRegular;
}

TAtomicFileWriter::~TAtomicFileWriter() {
    if (inPlace_ != NoFileDescriptor) ::CloseHandle(inPlace_);
}

TFileDescriptor TAtomicFileWriter::Descriptor() const {
    return inPlace_ != NoFileDescriptor ? inPlace_ : temporary_.Descriptor();
}

void TAtomicFileWriter::Write(std::string_view bytes) {
    if (const int error = WriteAll(Descriptor(), bytes); error != 0)
        throw StreamWriteError(path_, error);
    written_ += bytes.size();
}

void TAtomicFileWriter::Commit() {
    if (inPlace_ != NoFileDescriptor) {
        // The file pointer stands at the end of what was written.
        if (truncateInPlace_ && !::SetEndOfFile(inPlace_))
            throw StreamWriteError(path_, LastError());
        const HANDLE file = inPlace_;
        inPlace_ = NoFileDescriptor;
        if (!::CloseHandle(file)) throw StreamWriteError(path_, LastError());
        return;
    }
    if (const int error = temporary_.Close(); error != 0) throw StreamWriteError(path_, error);
    // One step that either puts the new file in place or leaves the earlier
    // one as it was (a locked or read-only target fails here).
    if (!::MoveFileExW(Utf8ToWide(temporary_.Path()).c_str(), Utf8ToWide(target_).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw CannotCreateFileError(path_, LastError());
    temporary_.Release();
}

}  // namespace velquist
