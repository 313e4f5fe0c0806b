#include "ui_windows/main_form.hpp"

#include <string_view>
#include <vector>

#include "base/application_title.hpp"
#include "base/error_text.hpp"
#include "base/web_addresses.hpp"
#include "languages/phrase_table.hpp"
#include "system/system_text.hpp"
#include "system/temporary_file.hpp"

namespace velquist {
namespace {

// Shows the busy cursor for as long as it lives, also when an error ends the
// merge. No messages are handled meanwhile, so nothing puts the arrow back.
class TBusyCursor {
  public:
    TBusyCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~TBusyCursor() { SetCursor(previous_); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

  private:
    HCURSOR previous_;
};

// The name with its extension (after the last dot of the last path component)
// replaced by ".htm", or ".htm" appended when it has none.
std::wstring WithHtmExtension(const std::wstring& name) {
    const std::size_t dot = name.rfind(L'.');
    const std::size_t separator = name.find_last_of(L"\\/");
    if (dot != std::wstring::npos && (separator == std::wstring::npos || dot > separator))
        return name.substr(0, dot) + L".htm";
    return name + L".htm";
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), text.size())));
    return text;
}

// The folder of the program's own file, with its trailing separator.
std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length;
    while ((length = GetModuleFileNameW(nullptr, path.data(), path.size())) == path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

// The user's own folder, as Windows names it for the user's programs.
std::wstring HomeFolder() {
    std::wstring folder(MAX_PATH, L'\0');
    const DWORD length = GetEnvironmentVariableW(L"USERPROFILE", folder.data(), MAX_PATH);
    folder.resize(length < MAX_PATH ? length : 0);
    return folder;
}

}  // namespace

TMainForm::~TMainForm() {
    if (form_ != nullptr) {
        SetWindowLongPtrW(form_, GWLP_USERDATA, 0);
        DestroyWindow(form_);
    }
    if (PopupMenu1 != nullptr) DestroyMenu(PopupMenu1);
    if (font_ != nullptr) DeleteObject(font_);
    if (boldFont_ != nullptr) DeleteObject(boldFont_);
}

void TMainForm::Run(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        dialogs_->ShowError(Utf8ToWide(ErrorBoxText(error.what())));
    }
}

bool TMainForm::PreTranslateMessage(MSG& message) {
    const bool inWindow = message.hwnd == form_ || IsChild(form_, message.hwnd);
    if (form_ == nullptr || !inWindow) return false;
    if (message.message == WM_KEYUP) Run([this, &message] { FormKeyUp(message.wParam); });
    // Return presses the focused button, as Space does.
    const HWND focus = GetFocus();
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN &&
        (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON)) !=
            0) {
        SendMessageW(form_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                     reinterpret_cast<LPARAM>(focus));
        return true;
    }
    return IsDialogMessageW(form_, &message) != 0;
}

void TMainForm::FormCreate() {
    const std::string caption = std::string(ApplicationTitle) + " " + PublisherAddress;
    SetWindowTextW(form_, Utf8ToWide(caption).c_str());
    const HWND languages = Control(TControl::cbxLanguage);
    SendMessageW(languages, CB_RESETCONTENT, 0, 0);
    for (std::string_view language : LanguageNames()) {
        const std::wstring name = Utf8ToWide(language);
        SendMessageW(languages, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    SendMessageW(languages, CB_SETCURSEL, 0, 0);
    ShowWindow(Control(TControl::Chart1), SW_HIDE);
    ReportA = std::make_unique<TMT4TestReport>();
    ReportB = std::make_unique<TMT4TestReport>();
    cbxWriteOpSymbolToReportClick();
    TempPath = GetTempDir();
    dialogs_->SetUpFileDialogs(DialogStartFolder(ProgramFolder(), HomeFolder()));
}

void TMainForm::AddReportsToMerge() {
    const auto files = dialogs_->OpenReports();
    if (!files) return;
    for (const std::wstring& file : *files)
        SendMessageW(Control(TControl::lbxReports), LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(file.c_str()));
}

void TMainForm::Button1Click() { AddReportsToMerge(); }

void TMainForm::DeleteSelectedReports() {
    const HWND list = Control(TControl::lbxReports);
    const LRESULT selected = SendMessageW(list, LB_GETSELCOUNT, 0, 0);
    if (selected <= 0) return;
    const std::wstring question = L"Delete terminals (" + std::to_wstring(selected) + L") ?";
    if (!dialogs_->ConfirmDelete(question)) return;
    for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0);) {
        if (SendMessageW(list, LB_GETSEL, i, 0) > 0)
            SendMessageW(list, LB_DELETESTRING, i, 0);
        else
            ++i;
    }
}

void TMainForm::FormKeyUp(WPARAM key) {
    if (key == VK_DELETE && GetFocus() != Control(TControl::edFileName)) DeleteSelectedReports();
}

void TMainForm::BtnFileNameClick() {
    const std::optional<TSaveChoice> choice = dialogs_->SaveResult();
    if (!choice) return;
    const bool htmlFilter = choice->FilterIndex == 0;
    const std::wstring name = htmlFilter ? WithHtmExtension(choice->FileName) : choice->FileName;
    SetWindowTextW(Control(TControl::edFileName), name.c_str());
}

void TMainForm::cbxWriteOpSymbolToReportClick() {
    const HWND box = Control(TControl::cbxWriteOpSymbolToReport);
    ReportA->WriteSymbol = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The help page is installed beside the program.
void TMainForm::BtnOnLineHelpClick() { dialogs_->OpenUrl(ProgramFolder() + L"help.html"); }

void TMainForm::BtnMergeClick() {
    const HWND list = Control(TControl::lbxReports);
    std::vector<std::string> files;
    for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i)
        files.push_back(WideToUtf8(ListLine(list, i)));
    const LRESULT languageIndex = SendMessageW(Control(TControl::cbxLanguage), CB_GETCURSEL, 0, 0);
    const std::string language(LanguageNames().at(static_cast<std::size_t>(languageIndex)));
    const TMergeRequest request{files, WideToUtf8(WindowText(Control(TControl::edFileName))),
                                language};
    TMergeOutcome outcome;
    {
        TBusyCursor busy;
        outcome = MergeJob(request, *ReportA, *ReportB,
                           [this](const TMT4TestReport& report) { return CreateGraph(report); });
    }
    // Boxes are shown once the busy cursor is gone.
    ShowOutcome(outcome);
}

void TMainForm::ShowOutcome(const TMergeOutcome& outcome) {
    switch (outcome.Kind) {
        case TMergeOutcome::TKind::Refused:
            return dialogs_->ShowMessage(Utf8ToWide(outcome.Message));
        case TMergeOutcome::TKind::Failed:
            return dialogs_->ShowError(Utf8ToWide(ErrorBoxText(outcome.Message)));
        case TMergeOutcome::TKind::Done:
            break;
    }
    if (!outcome.Warnings.empty())
        dialogs_->ShowWarning(Utf8ToWide(WarningsBoxText(outcome.Warnings)));
}

TSaveChart TMainForm::CreateGraph(const TMT4TestReport& report) {
    if (!chartStep_) chartStep_ = makeChartStep_(TempPath);
    return chartStep_(report);
}

int RunMessageLoop(TMainForm& form) {
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0 && got != -1) {
        if (form.PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got == -1 ? 1 : static_cast<int>(message.wParam);
}

}  // namespace velquist
