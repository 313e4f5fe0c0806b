// The window as it opens, read from the live windows: frame, caption, the
// controls' kinds, places, sizes, texts and fonts, the tab order, and the
// parsing of the open dialog's answer.
#include <cwctype>

#include "window_fixture.hpp"

namespace velquist {
namespace {

using testing::TLines;
using WindowOpening = testing::WindowTest;

RECT PlaceInForm(HWND form, HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    std::wstring lower = name;
    for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
    return lower;
}

LOGFONTW FontOf(HWND window) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

TEST_F(WindowOpening, HasTheCaptionAndAFixedCloseOnlyFrameCentredOnTheScreen) {
    const HWND form = Form->Handle();
    EXPECT_EQ(Text(form), L"Zidaz UV4 Eduzida https://www.velquist.com");
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, 820);
    EXPECT_EQ(client.bottom, 328);
    const LONG_PTR style = GetWindowLongPtrW(form, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(GetClassLongPtrW(form, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
    RECT frame{}, workArea{};
    GetWindowRect(form, &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_NEAR(frame.left + frame.right, workArea.left + workArea.right, 1);
    EXPECT_NEAR(frame.top + frame.bottom, workArea.top + workArea.bottom, 1);
}

TEST_F(WindowOpening, PlacesEveryControlWithItsKindTextAndFont) {
    const struct {
        TControl Id;
        const wchar_t* Class;
        RECT Place;  // left, top, width, height
        const wchar_t* Text;
        bool Visible;
    } cases[] = {
        {TControl::lblReportsToMerge, L"static", {360, 4, 84, 13}, L"Reports to merge:", true},
        {TControl::lbxReports, L"listbox", {8, 24, 801, 201}, L"", true},
        {TControl::lblLanguage, L"static", {8, 244, 107, 13}, L"Result report language", true},
        {TControl::cbxLanguage, L"combobox", {128, 240, 145, 21}, L"English", true},
        {TControl::BtnOnLineHelp, L"button", {288, 240, 75, 25}, L"On-Line Help", true},
        {TControl::Button1, L"button", {704, 240, 113, 25}, L"Add reports to merge", true},
        {TControl::lblFileName, L"static", {8, 276, 102, 13}, L"Result report filename", true},
        {TControl::edFileName, L"edit", {128, 272, 497, 21}, L"", true},
        {TControl::BtnFileName, L"button", {632, 272, 25, 21}, L"..", true},
        {TControl::BtnMerge, L"button", {704, 272, 113, 25}, L"Merge reports", true},
        {TControl::cbxWriteOpSymbolToReport,
         L"button",
         {8, 296, 649, 17},
         L"Add \"Symbol\" field to report (not compatible with www.tradestatlab.net)",
         true},
        {TControl::Chart1, L"static", {0, 32, 820, 200}, L"", false},
    };
    const HDC screen = GetDC(nullptr);
    const LONG fontHeight = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    for (const auto& c : cases) {
        const HWND control = Control(c.Id);
        SCOPED_TRACE(ControlId(c.Id));
        EXPECT_EQ(GetDlgCtrlID(control), ControlId(c.Id));
        EXPECT_EQ(ClassOf(control), c.Class);
        const RECT place = PlaceInForm(Form->Handle(), control);
        const auto [left, top, width, height] = c.Place;
        EXPECT_EQ(place.left, left);
        EXPECT_EQ(place.top, top);
        // A label may be wider, to show its whole text in the font the system gives.
        if (ClassOf(control) == L"static" && c.Visible)
            EXPECT_GE(place.right - place.left, width);
        else
            EXPECT_EQ(place.right - place.left, width);
        EXPECT_EQ(place.bottom - place.top, height);
        EXPECT_EQ(Text(control), c.Text);
        EXPECT_EQ(IsWindowVisible(control) != 0, c.Visible);
        const LOGFONTW font = FontOf(control);
        EXPECT_EQ(std::wstring(font.lfFaceName), L"MS Sans Serif");
        EXPECT_EQ(font.lfHeight, fontHeight);
        EXPECT_EQ(font.lfWeight, c.Id == TControl::BtnMerge ? FW_BOLD : FW_NORMAL);
    }
}

TEST_F(WindowOpening, ListPicksSeveralLinesUnsortedAndTheLanguageListOnlyItsNames) {
    const HWND list = Control(TControl::lbxReports);
    const LONG_PTR listStyle = GetWindowLongPtrW(list, GWL_STYLE);
    EXPECT_NE(listStyle & LBS_EXTENDEDSEL, 0);
    EXPECT_NE(listStyle & LBS_NOTIFY, 0);
    EXPECT_EQ(listStyle & LBS_SORT, 0);
    EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), 13);
    AddReports({L"C:\\r\\b.htm", L"C:\\r\\a.htm"});
    EXPECT_EQ(Lines(), TLines({L"C:\\r\\b.htm", L"C:\\r\\a.htm"}));

    const HWND languages = Control(TControl::cbxLanguage);
    EXPECT_EQ(GetWindowLongPtrW(languages, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(SendMessageW(languages, CB_GETCOUNT, 0, 0), 28);
    EXPECT_EQ(SendMessageW(languages, CB_GETCURSEL, 0, 0), 0);
    wchar_t last[64] = {};
    SendMessageW(languages, CB_GETLBTEXT, 27, reinterpret_cast<LPARAM>(last));
    EXPECT_EQ(std::wstring(last), L"Arabic");
    EXPECT_EQ(SendMessageW(Control(TControl::cbxWriteOpSymbolToReport), BM_GETCHECK, 0, 0),
              BST_UNCHECKED);
}

TEST_F(WindowOpening, TabWalksTheControlsInTheirOrderSkippingTheHiddenChart) {
    const TControl order[] = {TControl::lbxReports,    TControl::cbxLanguage,
                              TControl::edFileName,    TControl::BtnFileName,
                              TControl::Button1,       TControl::BtnMerge,
                              TControl::BtnOnLineHelp, TControl::cbxWriteOpSymbolToReport,
                              TControl::lbxReports};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        SCOPED_TRACE(ControlId(order[i]));
        EXPECT_EQ(GetNextDlgTabItem(Form->Handle(), Control(order[i]), FALSE),
                  Control(order[i + 1]));
    }
    // Tab itself, through the message loop.
    PressKey(TControl::lbxReports, VK_TAB);
    EXPECT_EQ(GetFocus(), Control(TControl::cbxLanguage));
}

TEST(OpenDialogAnswer, GivesFullPathsForOneFileOrSeveral) {
    const struct {
        std::wstring Buffer;
        TLines Files;
    } cases[] = {
        {std::wstring(L"C:\\r\\a.htm\0", 11), {L"C:\\r\\a.htm"}},
        {std::wstring(L"C:\\r\0a.htm\0b.htm\0", 17), {L"C:\\r\\a.htm", L"C:\\r\\b.htm"}},
        {std::wstring(L"C:\\\0a.htm\0b.htm\0", 16), {L"C:\\a.htm", L"C:\\b.htm"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ChosenFiles((c.Buffer + L'\0').c_str()), c.Files);
}

}  // namespace
}  // namespace velquist
