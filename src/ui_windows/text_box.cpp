#include "ui_windows/text_box.hpp"

#include <algorithm>
#include <vector>

namespace velquist {
namespace {

constexpr int TextId = 100;
constexpr int Margin = 11;
constexpr int IconSize = 32;
constexpr SIZE ButtonSize{75, 23};

struct TTextBox {
    const std::wstring& Title;
    const std::wstring& Text;
    const wchar_t* Icon;
    HFONT Font = nullptr;
};

// An empty dialog: the controls are made and placed when it opens, from the
// text's size.
struct alignas(4) TEmptyDialog {
    DLGTEMPLATE Header;
    WORD Menu = 0, Class = 0, Title = 0;
};

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

// The text's widest line and the height of one, in the font.
SIZE TextExtent(HWND window, HFONT font, const std::vector<std::wstring>& lines) {
    const HDC dc = GetDC(window);
    const HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SIZE extent{0, metrics.tmHeight};
    for (const std::wstring& line : lines) {
        SIZE size{};
        GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size);
        extent.cx = std::max(extent.cx, size.cx);
    }
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return extent;
}

HWND Child(HWND box, const wchar_t* kind, DWORD style, RECT place, int id, HFONT font) {
    const HWND child = CreateWindowExW(0, kind, L"", WS_CHILD | WS_VISIBLE | style, place.left,
                                       place.top, place.right, place.bottom, box,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                       GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

// Where the box's parts go, in its client area, for a text of the given
// lines, widest line and line height.
struct TBoxLayout {
    RECT Text{};  // left, top, width, height
    bool Tall = false, Wide = false;
    SIZE Client{};
    POINT Button{};
};

TBoxLayout LayOut(std::size_t lines, SIZE extent, bool withIcon) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    TBoxLayout layout;
    const int left = Margin + (withIcon ? IconSize + Margin : 0);
    layout.Tall = lines > static_cast<std::size_t>(MaxShownLines);
    const int wanted = extent.cx + 8 + (layout.Tall ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    const int widest = (work.right - work.left) * 3 / 4 - left - Margin;
    layout.Wide = wanted > widest;
    const int shown = static_cast<int>(std::min<std::size_t>(lines, MaxShownLines));
    const int height = shown * extent.cy + (layout.Wide ? GetSystemMetrics(SM_CYHSCROLL) : 0) + 4;
    layout.Text = {left, Margin, std::min(wanted, widest), height};
    layout.Client.cx = std::max<int>(left + layout.Text.right, ButtonSize.cx + Margin) + Margin;
    layout.Button = {layout.Client.cx - Margin - ButtonSize.cx,
                     Margin + std::max(height, withIcon ? IconSize : 0) + Margin};
    layout.Client.cy = layout.Button.y + ButtonSize.cy + Margin;
    return layout;
}

// The read-only text, scrolling where it is longer or wider than shown.
void PlaceText(HWND box, const TTextBox& state, const TBoxLayout& layout) {
    const DWORD style = ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_TABSTOP |
                        (layout.Tall ? WS_VSCROLL : 0) | (layout.Wide ? WS_HSCROLL : 0);
    const HWND text = Child(box, L"Edit", style, layout.Text, TextId, state.Font);
    std::wstring shown;
    for (const wchar_t c : state.Text) shown += c == L'\n' ? L"\r\n" : std::wstring(1, c);
    SetWindowTextW(text, shown.c_str());
    // From the start, where some systems leave the caret, and so the view, at the end.
    SendMessageW(text, EM_SETSEL, 0, 0);
    SendMessageW(text, EM_SCROLLCARET, 0, 0);
}

// The frame around the client area, centred in the work area.
void SizeAndCentre(HWND box, SIZE client) {
    RECT frame{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(box, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(box, GWL_EXSTYLE)));
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const LONG width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(box, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER);
}

// Makes the controls, sizes the box to them and centres it.
void Open(HWND box, TTextBox& state) {
    SetWindowTextW(box, state.Title.c_str());
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    state.Font = CreateFontIndirectW(&metrics.lfMessageFont);
    const std::vector<std::wstring> lines = Lines(state.Text);
    const TBoxLayout layout =
        LayOut(lines.size(), TextExtent(box, state.Font, lines), state.Icon != nullptr);
    if (state.Icon != nullptr) {
        const HWND icon =
            Child(box, L"Static", SS_ICON, {Margin, Margin, IconSize, IconSize}, 0, state.Font);
        SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, state.Icon)),
                     0);
    }
    // OK first, so that the dialog gives it the focus: on the text, the dialog
    // would select all of it and show its end.
    const HWND ok =
        Child(box, L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP,
              {layout.Button.x, layout.Button.y, ButtonSize.cx, ButtonSize.cy}, IDOK, state.Font);
    SetWindowTextW(ok, L"OK");
    PlaceText(box, state, layout);
    SizeAndCentre(box, layout.Client);
    SetFocus(ok);
}

INT_PTR CALLBACK BoxMessages(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<TTextBox*>(GetWindowLongPtrW(box, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(box, DWLP_USER, lParam);
            Open(box, *reinterpret_cast<TTextBox*>(lParam));
            return FALSE;  // the focus is set: on OK
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(box, IDOK);
            return TRUE;
        case WM_DESTROY:
            if (state != nullptr && state->Font != nullptr) DeleteObject(state->Font);
            return FALSE;
    }
    return FALSE;
}

}  // namespace

int LineCount(const std::wstring& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), L'\n')) + 1;
}

void ShowTextBox(HWND owner, const std::wstring& title, const std::wstring& text,
                 const wchar_t* icon) {
    TEmptyDialog dialog{};
    dialog.Header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    TTextBox state{title, text, icon};
    if (icon == IDI_WARNING) MessageBeep(MB_ICONWARNING);
    if (icon == IDI_ERROR) MessageBeep(MB_ICONERROR);
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &dialog.Header, owner, BoxMessages,
                            reinterpret_cast<LPARAM>(&state));
}

}  // namespace velquist
