// The list of report files: its context menu, opened by a right click, by
// Shift+F10 or by the menu key; its lines, each a full path that loses its
// middle when too long for the line, so that the file name stays in sight;
// the full path under the mouse as a tooltip; and files dropped on it from a
// file manager, appended in the dropped order.
// Adding and deleting lines are the window's commands (main_form.cpp).
#include <cstdint>

#include "ui_windows/main_form.hpp"

namespace velquist {
namespace {

constexpr int ListItemHeight = 13;

// Set while the context menu is open: a Delete released in the menu closes it
// and deletes, as it would with the menu closed.
HHOOK MenuHook = nullptr;
bool DeleteInMenu = false;

LRESULT CALLBACK MenuKeys(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_MENU && message->message == WM_KEYUP && message->wParam == VK_DELETE) {
        DeleteInMenu = true;
        EndMenu();
        return TRUE;
    }
    return CallNextHookEx(MenuHook, code, wParam, lParam);
}

// Where a menu asked for from the keyboard opens: below the list's current
// line when it is in sight, else at the list's top left corner.
POINT KeyboardMenuPoint(HWND list) {
    RECT line{};
    const LRESULT current = SendMessageW(list, LB_GETCARETINDEX, 0, 0);
    RECT client{};
    GetClientRect(list, &client);
    POINT at{client.left + 4, client.top + 4};
    if (SendMessageW(list, LB_GETITEMRECT, current, reinterpret_cast<LPARAM>(&line)) != LB_ERR &&
        line.bottom > client.top && line.bottom <= client.bottom)
        at = {line.left + 4, line.bottom};
    ClientToScreen(list, &at);
    return at;
}

// The list's messages the window wants: drops, and the mouse moving onto
// another line, which renews the tooltip (refData) of the line.
constexpr const wchar_t* LineUnderMouse = L"LineUnderMouse";

LRESULT CALLBACK ListMessages(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR tooltip) {
    if (message == WM_DROPFILES) return SendMessageW(GetParent(list), message, wParam, lParam);
    if (message == WM_MOUSEMOVE) {
        const auto line =
            static_cast<std::intptr_t>(SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam));
        if (GetPropW(list, LineUnderMouse) != reinterpret_cast<HANDLE>(line + 1)) {
            SetPropW(list, LineUnderMouse, reinterpret_cast<HANDLE>(line + 1));
            SendMessageW(reinterpret_cast<HWND>(tooltip), TTM_UPDATE, 0, 0);
        }
    }
    if (message == WM_NCDESTROY) RemovePropW(list, LineUnderMouse);
    return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

std::wstring ListLine(HWND list, int index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
    line.resize(static_cast<std::size_t>(
        SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(line.data()))));
    return line;
}

void TMainForm::AcceptDroppedFiles() {
    const HWND list = Control(TControl::lbxReports);
    DragAcceptFiles(list, TRUE);
    SetWindowSubclass(list, ListMessages, 0, reinterpret_cast<DWORD_PTR>(tooltip_));
}

void TMainForm::CreateListTooltip() {
    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, form_, nullptr, instance_, nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every comctl32 version
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = form_;
    tool.uId = reinterpret_cast<UINT_PTR>(Control(TControl::lbxReports));
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // One line, however long the path.
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 4096);
}

// An empty text (no line under the mouse) shows no tooltip.
void TMainForm::TooltipText(NMTTDISPINFOW& info) {
    const HWND list = Control(TControl::lbxReports);
    POINT mouse{};
    GetCursorPos(&mouse);
    ScreenToClient(list, &mouse);
    const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(mouse.x, mouse.y));
    tipText_ = HIWORD(hit) != 0 ? std::wstring() : ListLine(list, LOWORD(hit));
    info.lpszText = tipText_.data();
}

// Files, not folders: a name that is no folder is taken as it comes.
void TMainForm::AppendDroppedFiles(HDROP drop) {
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())));
        const DWORD attributes = GetFileAttributesW(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            continue;
        SendMessageW(Control(TControl::lbxReports), LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(name.c_str()));
    }
    DragFinish(drop);
}

void TMainForm::ShowPopupMenu(LPARAM at) {
    const HWND list = Control(TControl::lbxReports);
    POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    // From the keyboard (Shift+F10, the menu key) both coordinates are -1.
    if (point.x == -1 && point.y == -1) point = KeyboardMenuPoint(list);
    // Greyed out while no line is selected, when it would do nothing.
    const bool selected = SendMessageW(list, LB_GETSELCOUNT, 0, 0) > 0;
    EnableMenuItem(PopupMenu1, Deleteselectedreports1,
                   MF_BYCOMMAND | (selected ? MF_ENABLED : MF_GRAYED));
    DeleteInMenu = false;
    MenuHook = SetWindowsHookExW(WH_MSGFILTER, MenuKeys, nullptr, GetCurrentThreadId());
    const int chosen = TrackPopupMenu(PopupMenu1, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y,
                                      0, form_, nullptr);
    UnhookWindowsHookEx(MenuHook);
    MenuHook = nullptr;
    if (DeleteInMenu) return Run([this] { DeleteSelectedReports(); });
    if (chosen != 0) Command(chosen, 0);
}

void TMainForm::MeasureListItem(MEASUREITEMSTRUCT& item) const {
    if (item.CtlType == ODT_LISTBOX) item.itemHeight = ListItemHeight;
}

void TMainForm::DrawListItem(const DRAWITEMSTRUCT& item) const {
    if (item.CtlID != static_cast<UINT>(ControlId(TControl::lbxReports))) return;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID != static_cast<UINT>(-1)) {
        const std::wstring line = ListLine(item.hwndItem, static_cast<int>(item.itemID));
        RECT text = item.rcItem;
        text.left += 2;
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        DrawTextW(item.hDC, line.c_str(), static_cast<int>(line.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_PATH_ELLIPSIS);
    }
    if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(item.hDC, &item.rcItem);
}

}  // namespace velquist
