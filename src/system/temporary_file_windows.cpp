// Temporary files and folders with wide-character Windows calls, and the
// temporary folder as Windows names it.
#include <windows.h>

#include <filesystem>
#include <random>

#include "system/signal_cleanup.hpp"
#include "system/system_text.hpp"
#include "system/temporary_file.hpp"

namespace velquist {
namespace {

// Names are taken exclusively, so a guessable name costs only a retry; lower
// case alone, since Windows file names ignore case.
std::string RandomPart() {
    static std::mt19937_64 generator = [] {
        std::random_device device;
        std::seed_seq seed{device(), device(), static_cast<unsigned>(::GetCurrentProcessId()),
                           static_cast<unsigned>(::GetTickCount64())};
        return std::mt19937_64(seed);
    }();
    constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof Letters) - 2);
    std::string part(6, ' ');
    for (char& c : part) c = Letters[pick(generator)];
    return part;
}

constexpr int Attempts = 100;

bool NameTaken(DWORD error) { return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS; }

}  // namespace

int WriteAll(TFileDescriptor fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(fd, bytes.data(), want, &written, nullptr))
            return static_cast<int>(::GetLastError());
        if (written == 0) return ERROR_WRITE_FAULT;
        bytes.remove_prefix(written);
    }
    return 0;
}

TTemporaryFile::~TTemporaryFile() {
    if (path_.empty()) return;
    Close();
    ::DeleteFileW(Utf8ToWide(path_).c_str());
    ForgetTemporaryPath(slot_);
}

int TTemporaryFile::Create(const std::string& folder, std::string_view prefix,
                           std::string_view suffix) {
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < Attempts && NameTaken(error); ++attempt) {
        std::string path = folder;
        path.append(prefix).append(RandomPart()).append(suffix);
        // CREATE_NEW never opens a file that is already there. Sharing delete
        // lets the console handler remove the file while it is still open.
        const HANDLE file = ::CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            error = ::GetLastError();
            continue;
        }
        fd_ = file;
        path_ = std::move(path);
        slot_ = RememberTemporaryPath(path_, false);
        return 0;
    }
    return static_cast<int>(error);
}

int TTemporaryFile::Close() {
    if (fd_ == NoFileDescriptor) return 0;
    const BOOL closed = ::CloseHandle(fd_);
    fd_ = NoFileDescriptor;
    return closed ? 0 : static_cast<int>(::GetLastError());
}

TTemporaryFolder::TTemporaryFolder(const std::string& folder, std::string_view prefix) {
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        std::string path = folder;
        path.append(prefix).append(RandomPart());
        if (::CreateDirectoryW(Utf8ToWide(path).c_str(), nullptr)) {
            path_ = std::move(path);
            slot_ = RememberTemporaryPath(path_, true);
            return;
        }
        if (!NameTaken(::GetLastError())) return;
    }
}

TTemporaryFolder::~TTemporaryFolder() {
    if (path_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(Utf8ToWide(path_)), ignored);
    ForgetTemporaryPath(slot_);
}

std::unique_ptr<TTemporaryFolder> ProvideRuntimeFolder(const std::string&) { return nullptr; }

bool IsUnusableFolderError(int errorNumber) {
    switch (static_cast<DWORD>(errorNumber)) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_DIRECTORY:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return true;
        default:
            return false;
    }
}

std::string GetTempDir() {
    const DWORD size = ::GetTempPathW(0, nullptr);
    if (size == 0) return {};
    std::wstring wide(size, L'\0');
    const DWORD length = ::GetTempPathW(size, wide.data());
    if (length == 0 || length >= size) return {};
    wide.resize(length);
    if (wide.back() != L'\\') wide += L'\\';
    return WideToUtf8(wide);
}

}  // namespace velquist
