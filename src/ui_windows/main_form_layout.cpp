// The window itself and its controls: class, frame, kinds, places, texts,
// fonts and tab order; the window procedure that routes messages to the
// handlers. What the handlers do is in main_form.cpp; the list's lines,
// tooltip, drops and menu are in report_list.cpp.
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/web_addresses.hpp"
#include "system/system_text.hpp"
#include "ui_windows/main_form.hpp"

namespace velquist {
namespace {

constexpr const wchar_t* FormClassName = L"TMainForm";
constexpr DWORD FormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // close box only
constexpr SIZE ClientSize{820, 328};
// A drop-down list's closed height; its window's height includes the open list.
constexpr int LanguageListHeight = 21;
constexpr int DroppedListHeight = 13 * 28 + 2;

struct TControlLayout {
    TControl Id;
    const wchar_t* ClassName;
    DWORD Style;
    DWORD ExStyle;
    RECT Place;  // left, top, width, height
    const wchar_t* Text;
};

constexpr DWORD Tab = WS_TABSTOP;
// In tab order: windows created later come later in the z-order, which is
// the order Tab walks.
constexpr TControlLayout ControlLayouts[] = {
    {TControl::lblReportsToMerge,
     L"Static",
     SS_LEFT | SS_NOPREFIX,
     0,
     {360, 4, 84, 13},
     L"Reports to merge:"},
    {TControl::lbxReports,
     L"ListBox",
     Tab | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
         LBS_NOINTEGRALHEIGHT,
     WS_EX_CLIENTEDGE,
     {8, 24, 801, 201},
     L""},
    {TControl::lblLanguage,
     L"Static",
     SS_LEFT | SS_NOPREFIX,
     0,
     {8, 244, 107, 13},
     L"Result report language"},
    {TControl::cbxLanguage,
     L"ComboBox",
     Tab | WS_VSCROLL | CBS_DROPDOWNLIST,
     0,
     {128, 240, 145, LanguageListHeight + DroppedListHeight},
     L""},
    {TControl::lblFileName,
     L"Static",
     SS_LEFT | SS_NOPREFIX,
     0,
     {8, 276, 102, 13},
     L"Result report filename"},
    {TControl::edFileName,
     L"Edit",
     Tab | ES_AUTOHSCROLL,
     WS_EX_CLIENTEDGE,
     {128, 272, 497, 21},
     L""},
    {TControl::BtnFileName, L"Button", Tab | BS_PUSHBUTTON, 0, {632, 272, 25, 21}, L".."},
    {TControl::Button1,
     L"Button",
     Tab | BS_PUSHBUTTON,
     0,
     {704, 240, 113, 25},
     L"Add reports to merge"},
    {TControl::BtnMerge, L"Button", Tab | BS_PUSHBUTTON, 0, {704, 272, 113, 25}, L"Merge reports"},
    // The balance picture is drawn off-screen by the chart step; this
    // never-shown window only keeps the chart's place and its tab slot.
    {TControl::Chart1, L"Static", Tab, 0, {0, 32, 820, 200}, L""},
    {TControl::BtnOnLineHelp,
     L"Button",
     Tab | BS_PUSHBUTTON,
     0,
     {288, 240, 75, 25},
     L"On-Line Help"},
    {TControl::cbxWriteOpSymbolToReport,
     L"Button",
     Tab | BS_AUTOCHECKBOX,
     0,
     {8, 296, 649, 17},
     L""},
};
static_assert(std::size(ControlLayouts) == static_cast<std::size_t>(TControl::Count));

void RegisterFormClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = FormClassName;
    RegisterClassExW(&windowClass);  // fails harmlessly when a second window registers again
}

// The frame around a client area of the given size, centred in the work area.
RECT CentredFrame() {
    RECT frame{0, 0, ClientSize.cx, ClientSize.cy};
    AdjustWindowRectEx(&frame, FormStyle, FALSE, 0);
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const LONG width = frame.right - frame.left, height = frame.bottom - frame.top;
    const LONG left = workArea.left + (workArea.right - workArea.left - width) / 2;
    const LONG top = workArea.top + (workArea.bottom - workArea.top - height) / 2;
    return {left, top, width, height};
}

}  // namespace

TMainForm::TMainForm(HINSTANCE instance, TChartStepMaker makeChartStep,
                     std::unique_ptr<TDialogs> dialogs)
    : instance_(instance), dialogs_(std::move(dialogs)), makeChartStep_(std::move(makeChartStep)) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterFormClass(instance_, WindowProc);
    CreateFonts();
    const RECT frame = CentredFrame();
    // WM_NCCREATE ties the window to this object, so that the list's first
    // WM_MEASUREITEM already finds it.
    CreateWindowExW(0, FormClassName, L"", FormStyle, frame.left, frame.top, frame.right,
                    frame.bottom, nullptr, nullptr, instance_, this);
    if (form_ == nullptr) throw std::runtime_error("Cannot create the main window");
    if (!dialogs_) dialogs_ = std::make_unique<TWinDialogs>(form_);
    CreateControls();
    CreatePopupMenu();
    Run([this] { FormCreate(); });
}

void TMainForm::CreateFonts() {
    const HDC screen = GetDC(nullptr);
    const int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    for (HFONT* font : {&font_, &boldFont_})
        *font = CreateFontW(height, 0, 0, 0, font == &font_ ? FW_NORMAL : FW_BOLD, FALSE, FALSE,
                            FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

void TMainForm::CreateControls() {
    for (const TControlLayout& entry : ControlLayouts) {
        const auto [left, top, width, height] = entry.Place;
        const HWND control = CreateWindowExW(
            entry.ExStyle, entry.ClassName, entry.Text, WS_CHILD | WS_VISIBLE | entry.Style, left,
            top, width, height, form_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(entry.Id))), instance_, nullptr);
        const bool bold = entry.Id == TControl::BtnMerge;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(bold ? boldFont_ : font_), TRUE);
        controls_[static_cast<int>(entry.Id)] = control;
    }
    FitLanguageListHeight();
    WidenLabelsToText();
    CreateListTooltip();
    AcceptDroppedFiles();
    EnableLineDragging(Control(TControl::lbxReports));
    const std::wstring symbolCaption = L"Add \"Symbol\" field to report (not compatible with " +
                                       Utf8ToWide(OutsideServiceHostName) + L")";
    SetWindowTextW(Control(TControl::cbxWriteOpSymbolToReport), symbolCaption.c_str());
}

// A drop-down list takes its closed height from its font: its selection field
// is made as much taller or shorter as the height wants. Systems disagree on
// what CB_GETITEMHEIGHT counts, so the height is measured after each step.
void TMainForm::FitLanguageListHeight() {
    const HWND languages = Control(TControl::cbxLanguage);
    LRESULT field = SendMessageW(languages, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int step = 0; step < 3; ++step) {
        RECT closed{};
        GetWindowRect(languages, &closed);
        const LONG missing = LanguageListHeight - (closed.bottom - closed.top);
        if (missing == 0) return;
        field += missing;
        SendMessageW(languages, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

// A label keeps its place and is widened to its text where the font the
// system gives for "MS Sans Serif" runs wider than the one the sizes were
// measured with, so that nothing is cut off.
void TMainForm::WidenLabelsToText() {
    const HDC screen = GetDC(form_);
    const HGDIOBJ previous = SelectObject(screen, font_);
    for (const TControlLayout& entry : ControlLayouts) {
        if (std::wstring_view(entry.ClassName) != L"Static" || entry.Id == TControl::Chart1)
            continue;
        SIZE text{};
        GetTextExtentPoint32W(screen, entry.Text, static_cast<int>(wcslen(entry.Text)), &text);
        const auto [left, top, width, height] = entry.Place;
        if (text.cx > width)
            SetWindowPos(Control(entry.Id), nullptr, 0, 0, text.cx, height,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SelectObject(screen, previous);
    ReleaseDC(form_, screen);
}

void TMainForm::CreatePopupMenu() {
    PopupMenu1 = ::CreatePopupMenu();
    AppendMenuW(PopupMenu1, MF_STRING, Addreportstomerge1, L"Add reports to merge");
    // "Del" is only shown: the window's key handling runs the command.
    AppendMenuW(PopupMenu1, MF_STRING, Deleteselectedreports1, L"Delete selected reports\tDel");
}

LRESULT CALLBACK TMainForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form =
            static_cast<TMainForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->form_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TMainForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return form->HandleMessage(window, message, wParam, lParam);
}

LRESULT TMainForm::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            Command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) != Control(TControl::lbxReports)) break;
            ShowPopupMenu(lParam);
            return 0;
        case WM_MEASUREITEM:
            MeasureListItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_DRAWITEM:
            DrawListItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_NOTIFY:
            if (const auto* note = reinterpret_cast<NMHDR*>(lParam);
                note->hwndFrom == tooltip_ && note->code == TTN_GETDISPINFOW)
                TooltipText(*reinterpret_cast<NMTTDISPINFOW*>(lParam));
            return 0;
        case WM_DROPFILES:
            AppendDroppedFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_DESTROY:
            form_ = nullptr;
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TMainForm::Command(int id, int notification) {
    const auto is = [id](TControl control) { return id == ControlId(control); };
    if (id == Addreportstomerge1) return Run([this] { AddReportsToMerge(); });
    if (id == Deleteselectedreports1) return Run([this] { DeleteSelectedReports(); });
    if (notification != BN_CLICKED) return;
    if (is(TControl::Button1)) Run([this] { Button1Click(); });
    if (is(TControl::BtnFileName)) Run([this] { BtnFileNameClick(); });
    if (is(TControl::BtnMerge)) Run([this] { BtnMergeClick(); });
    if (is(TControl::BtnOnLineHelp)) Run([this] { BtnOnLineHelpClick(); });
    if (is(TControl::cbxWriteOpSymbolToReport)) Run([this] { cbxWriteOpSymbolToReportClick(); });
}

}  // namespace velquist
