#include "ui_windows/dialogs.hpp"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>

#include "base/application_title.hpp"
#include "system/system_text.hpp"
#include "ui_windows/text_box.hpp"

namespace velquist {
namespace {

// Room for a few hundred long paths chosen at once; a choice that does not fit
// makes the dialog fail, which counts as cancelled.
constexpr DWORD OpenBufferSize = 64 * 1024;
constexpr DWORD SaveBufferSize = 32 * 1024;

// The filter list as the dialogs take it: name and pattern pairs, each ended
// by a NUL, the list by another.
std::wstring FilterText() {
    std::wstring text;
    for (const TFileFilter& filter : ReportFileFilters) {
        text += filter.Name;
        text += L'\0';
        text += filter.Pattern;
        text += L'\0';
    }
    return text + L'\0';
}

OPENFILENAMEW DialogSettings(HWND owner, const std::wstring& filters, const std::wstring& folder,
                             std::vector<wchar_t>& buffer) {
    OPENFILENAMEW settings{};
    settings.lStructSize = sizeof settings;
    settings.hwndOwner = owner;
    settings.lpstrFilter = filters.c_str();
    settings.nFilterIndex = 1;
    settings.lpstrFile = buffer.data();
    settings.nMaxFile = static_cast<DWORD>(buffer.size());
    settings.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    // Read-only box hidden, resizable; no default extension is set.
    settings.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    return settings;
}

std::wstring WithSeparator(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    return folder;
}

// Whether a file can be created in the folder: a probe that goes again when
// its handle is closed.
bool TakesFiles(const std::wstring& folder) {
    const std::wstring probe =
        folder + L"velquist-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

}  // namespace

std::wstring DialogStartFolder(const std::wstring& programFolder, const std::wstring& homeFolder) {
    const std::wstring folder = WithSeparator(programFolder);
    return TakesFiles(folder) ? folder : WithSeparator(homeFolder);
}

std::vector<std::wstring> ChosenFiles(const wchar_t* buffer) {
    std::vector<std::wstring> parts;
    for (const wchar_t* part = buffer; *part != L'\0'; part += parts.back().size() + 1)
        parts.emplace_back(part);
    if (parts.size() <= 1) return parts;
    // Several files: the first part is their folder (a drive's root ends in "\").
    std::wstring folder = parts.front();
    if (folder.back() != L'\\') folder += L'\\';
    std::vector<std::wstring> files;
    for (std::size_t i = 1; i < parts.size(); ++i) files.push_back(folder + parts[i]);
    return files;
}

void TWinDialogs::SetUpFileDialogs(const std::wstring& initialFolder) { folder_ = initialFolder; }

std::optional<std::vector<std::wstring>> TWinDialogs::OpenReports() {
    const std::wstring filters = FilterText();
    std::vector<wchar_t> buffer(OpenBufferSize, L'\0');
    lastOpened_.copy(buffer.data(), std::min<std::size_t>(lastOpened_.size(), MAX_PATH));
    OPENFILENAMEW settings = DialogSettings(owner_, filters, folder_, buffer);
    settings.Flags |= OFN_ALLOWMULTISELECT;
    if (!GetOpenFileNameW(&settings)) return std::nullopt;
    std::vector<std::wstring> files = ChosenFiles(buffer.data());
    if (!files.empty()) lastOpened_ = files.front();
    return files;
}

std::optional<TSaveChoice> TWinDialogs::SaveResult() {
    const std::wstring filters = FilterText();
    std::vector<wchar_t> buffer(SaveBufferSize, L'\0');  // always opens with an empty name
    OPENFILENAMEW settings = DialogSettings(owner_, filters, folder_, buffer);
    // No question when the file exists: the merge replaces it.
    if (!GetSaveFileNameW(&settings)) return std::nullopt;
    return TSaveChoice{buffer.data(), static_cast<int>(settings.nFilterIndex) - 1};
}

bool TWinDialogs::ConfirmDelete(const std::wstring& question) {
    return MessageBoxW(owner_, question.c_str(), L"Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TWinDialogs::ShowMessage(const std::wstring& text) { ShowBox(text, 0); }

void TWinDialogs::ShowError(const std::wstring& text) { ShowBox(text, MB_ICONERROR); }

void TWinDialogs::ShowWarning(const std::wstring& text) { ShowBox(text, MB_ICONWARNING); }

void TWinDialogs::ShowBox(const std::wstring& text, UINT icon) {
    const std::wstring title = Utf8ToWide(ApplicationTitle);
    if (LineCount(text) <= MaxShownLines) {
        MessageBoxW(owner_, text.c_str(), title.c_str(), MB_OK | icon);
        return;
    }
    const wchar_t* shown = icon == MB_ICONWARNING ? IDI_WARNING
                           : icon == MB_ICONERROR ? IDI_ERROR
                                                  : nullptr;
    ShowTextBox(owner_, title, text, shown);
}

void TWinDialogs::OpenUrl(const std::wstring& address) {
    ShellExecuteW(owner_, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace velquist
