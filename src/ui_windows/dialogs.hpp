// The window's file dialogs, message boxes and the browser request behind one
// small interface, so that tests answer them in advance. TWinDialogs shows the
// real ones (comdlg32, user32, shell32). Nothing here decides what a command
// does with the answers; the window does. Texts are UTF-16, as Windows gives
// and takes them.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace velquist {

struct TFileFilter {
    const wchar_t* Name;
    const wchar_t* Pattern;
};

// The filters of both file dialogs, "HTML Files" first.
inline constexpr std::array<TFileFilter, 2> ReportFileFilters{
    {{L"HTML Files", L"*.htm"}, {L"All Files", L"*.*"}}};

struct TSaveChoice {
    std::wstring FileName;  // full path as the user chose or typed it
    int FilterIndex = 0;    // 0-based position of the chosen filter
};

class TDialogs {
  public:
    virtual ~TDialogs() = default;
    // Initial folder of both file dialogs, with its trailing separator.
    virtual void SetUpFileDialogs(const std::wstring& initialFolder) = 0;
    // The file-open dialog, several files at once: the chosen full paths in the
    // dialog's order, or nothing when cancelled.
    virtual std::optional<std::vector<std::wstring>> OpenReports() = 0;
    // The file-save dialog, opened with an empty file name: nothing when cancelled.
    virtual std::optional<TSaveChoice> SaveResult() = 0;
    // A Yes/No box titled "Confirm" with a question icon: true on Yes.
    virtual bool ConfirmDelete(const std::wstring& question) = 0;
    // A plain message box under the application's title.
    virtual void ShowMessage(const std::wstring& text) = 0;
    // The error box: the application's title, an error icon and OK.
    virtual void ShowError(const std::wstring& text) = 0;
    // A message box under the application's title with a warning icon and OK.
    virtual void ShowWarning(const std::wstring& text) = 0;
    // Asks the system to open the address in the default browser; the outcome
    // is not looked at.
    virtual void OpenUrl(const std::wstring& address) = 0;
};

class TWinDialogs : public TDialogs {
  public:
    // The dialogs and boxes are owned by the window and show over it.
    explicit TWinDialogs(HWND owner) : owner_(owner) {}

    void SetUpFileDialogs(const std::wstring& initialFolder) override;
    std::optional<std::vector<std::wstring>> OpenReports() override;
    std::optional<TSaveChoice> SaveResult() override;
    bool ConfirmDelete(const std::wstring& question) override;
    void ShowMessage(const std::wstring& text) override;
    void ShowError(const std::wstring& text) override;
    void ShowWarning(const std::wstring& text) override;
    void OpenUrl(const std::wstring& address) override;

  private:
    void ShowBox(const std::wstring& text, UINT icon);

    HWND owner_;
    std::wstring folder_;
    // The open dialog reopens with the first file of the previous choice.
    std::wstring lastOpened_;
};

// The program's own folder when a file can be created in it, as in a folder
// the program was unpacked into; else the home folder, as for a program
// installed under Program Files. Both end in a separator.
std::wstring DialogStartFolder(const std::wstring& programFolder, const std::wstring& homeFolder);

// The chosen names from an open dialog's buffer: a lone full path, or the
// folder followed by the file names, each ended by a NUL, the list by two.
std::vector<std::wstring> ChosenFiles(const wchar_t* buffer);

}  // namespace velquist
