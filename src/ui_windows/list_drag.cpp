// The report list's mouse, as in the Linux window. A left press on a line
// (without Shift or Ctrl) takes the selected lines, or that line alone when
// it is not selected; moving by more than the system's drag distance drags
// them, a bar between two lines shows where they will land, and the release
// puts them there, still selected. A press and release without a move selects
// the pressed line alone, as a click does. A right press selects the line
// under it unless that line is selected already, and one below the lines
// clears the selection, so that the context menu acts on what is seen.
#include <algorithm>
#include <vector>

#include "ui_windows/main_form.hpp"

namespace velquist {
namespace {

struct TLineDrag {
    bool Pressed = false;
    bool Dragging = false;
    int Line = -1;    // the pressed line
    POINT From{};     // where it was pressed
    int Before = -1;  // the line the dragged lines go before, while dragging
};

LRESULT Send(HWND list, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(list, message, wParam, lParam);
}

int LineHeight(HWND list) {
    return std::max<int>(1, static_cast<int>(Send(list, LB_GETITEMHEIGHT)));
}

// The line at a height of the list's client area, or -1 below the lines.
int LineAt(HWND list, int y) {
    if (y < 0) return -1;
    const int line = static_cast<int>(Send(list, LB_GETTOPINDEX)) + y / LineHeight(list);
    return line < Send(list, LB_GETCOUNT) ? line : -1;
}

// The gap between lines nearest to a height: the line the dragged lines go
// before, or the count for the end.
int GapAt(HWND list, int y) {
    const int height = LineHeight(list), top = static_cast<int>(Send(list, LB_GETTOPINDEX));
    const int half = y + height / 2;
    const int gap = top + (half >= 0 ? half / height : -1);
    return std::clamp(gap, 0, static_cast<int>(Send(list, LB_GETCOUNT)));
}

void SelectOnly(HWND list, int line) {
    Send(list, LB_SETSEL, FALSE, -1);
    Send(list, LB_SETSEL, TRUE, line);
    Send(list, LB_SETANCHORINDEX, line);
    Send(list, LB_SETCARETINDEX, line, FALSE);
}

bool Selected(HWND list, int line) { return Send(list, LB_GETSEL, line) > 0; }

POINT PointOf(LPARAM at) {
    return {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
}

// Near the top or bottom edge, a drag scrolls the list a line a move.
void ScrollToward(HWND list, int y) {
    RECT client{};
    GetClientRect(list, &client);
    const LRESULT top = Send(list, LB_GETTOPINDEX);
    if (y < 0 && top > 0) Send(list, LB_SETTOPINDEX, top - 1);
    if (y >= client.bottom) Send(list, LB_SETTOPINDEX, top + 1);
}

void DrawGap(HWND list, int gap) {
    const int y = (gap - static_cast<int>(Send(list, LB_GETTOPINDEX))) * LineHeight(list);
    RECT client{};
    GetClientRect(list, &client);
    const HDC dc = GetDC(list);
    RECT bar{client.left, std::max(0, y - 1), client.right, std::max(0, y - 1) + 2};
    FillRect(dc, &bar, GetSysColorBrush(COLOR_WINDOWTEXT));
    ReleaseDC(list, dc);
}

void Press(HWND list, TLineDrag& drag, LPARAM at) {
    const POINT point = PointOf(at);
    drag = {true, false, LineAt(list, point.y), point, -1};
    SetFocus(list);
    if (!Selected(list, drag.Line)) SelectOnly(list, drag.Line);
    Send(list, LB_SETCARETINDEX, drag.Line, FALSE);
    SetCapture(list);
}

void Move(HWND list, TLineDrag& drag, LPARAM at) {
    const POINT point = PointOf(at);
    const bool moved = std::abs(point.x - drag.From.x) > GetSystemMetrics(SM_CXDRAG) ||
                       std::abs(point.y - drag.From.y) > GetSystemMetrics(SM_CYDRAG);
    if (!drag.Dragging && !moved) return;
    drag.Dragging = true;
    ScrollToward(list, point.y);
    drag.Before = GapAt(list, point.y);
    InvalidateRect(list, nullptr, FALSE);
}

void Release(HWND list, TLineDrag& drag) {
    const TLineDrag done = drag;
    drag = {};
    ReleaseCapture();
    if (done.Dragging)
        MoveSelectedLines(list, done.Before);
    else
        SelectOnly(list, done.Line);
    InvalidateRect(list, nullptr, FALSE);
}

void RightPress(HWND list, LPARAM at) {
    const int line = LineAt(list, PointOf(at).y);
    SetFocus(list);
    if (line < 0)
        Send(list, LB_SETSEL, FALSE, -1);
    else if (!Selected(list, line))
        SelectOnly(list, line);
}

LRESULT CALLBACK DragMessages(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR data) {
    auto& drag = *reinterpret_cast<TLineDrag*>(data);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if ((wParam & (MK_SHIFT | MK_CONTROL)) != 0 || LineAt(list, PointOf(lParam).y) < 0)
                break;
            Press(list, drag, lParam);
            return 0;
        case WM_MOUSEMOVE:
            if (!drag.Pressed) break;
            Move(list, drag, lParam);
            return 0;
        case WM_LBUTTONUP:
            if (!drag.Pressed) break;
            Release(list, drag);
            return 0;
        case WM_CAPTURECHANGED:
            // Another window took the mouse, or Escape: the drag is dropped.
            if (drag.Pressed && reinterpret_cast<HWND>(lParam) != list) {
                drag = {};
                InvalidateRect(list, nullptr, FALSE);
            }
            break;
        case WM_KEYDOWN:
            if (drag.Pressed && wParam == VK_ESCAPE) ReleaseCapture();
            break;
        case WM_RBUTTONDOWN:
            RightPress(list, lParam);
            break;
        case WM_PAINT: {
            const LRESULT painted = DefSubclassProc(list, message, wParam, lParam);
            if (drag.Dragging) DrawGap(list, drag.Before);
            return painted;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(list, DragMessages, 1);
            delete &drag;
            break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

void EnableLineDragging(HWND list) {
    SetWindowSubclass(list, DragMessages, 1, reinterpret_cast<DWORD_PTR>(new TLineDrag));
}

void MoveSelectedLines(HWND list, int before) {
    std::vector<std::wstring> moving;
    int target = before;
    const int count = static_cast<int>(Send(list, LB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        if (!Selected(list, i)) continue;
        moving.push_back(ListLine(list, i));
        if (i < before) --target;
    }
    if (moving.empty()) return;
    Send(list, WM_SETREDRAW, FALSE);
    for (int i = count - 1; i >= 0; --i)
        if (Selected(list, i)) Send(list, LB_DELETESTRING, i);
    for (std::size_t k = 0; k < moving.size(); ++k) {
        const int line = target + static_cast<int>(k);
        Send(list, LB_INSERTSTRING, line, reinterpret_cast<LPARAM>(moving[k].c_str()));
        Send(list, LB_SETSEL, TRUE, line);
    }
    Send(list, LB_SETCARETINDEX, target, FALSE);
    Send(list, WM_SETREDRAW, TRUE);
    InvalidateRect(list, nullptr, TRUE);
}

}  // namespace velquist
