// The program's one window on Windows: the list of reports to merge, the
// result's language and file name, the "Symbol" option, on-line help, and the
// merge. It only wires its controls to MergeJob and the chart step and keeps
// the two report objects for the whole run; dialogs and message boxes go
// through TDialogs. Reading, merging, writing and drawing are not done here.
#pragma once

#include <windows.h>
// commctrl.h and shellapi.h need windows.h first.
#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "job/merge_job.hpp"
#include "model/report.hpp"
#include "ui_windows/dialogs.hpp"

namespace velquist {

// The window's controls, in tab order among those that take the focus; a
// control's id is FirstControlId plus its position here.
enum class TControl {
    lblReportsToMerge,
    lbxReports,
    lblLanguage,
    cbxLanguage,
    lblFileName,
    edFileName,
    BtnFileName,
    Button1,
    BtnMerge,
    Chart1,
    BtnOnLineHelp,
    cbxWriteOpSymbolToReport,
    Count
};
inline constexpr int FirstControlId = 100;
inline constexpr int ControlId(TControl control) {
    return FirstControlId + static_cast<int>(control);
}

// Command ids of the list's context menu items.
inline constexpr int Addreportstomerge1 = 200;
inline constexpr int Deleteselectedreports1 = 201;

// Makes the chart step for the folder of its temporary bitmap.
using TChartStepMaker = std::function<TChartStep(const std::string& tempPath)>;

class TMainForm {
  public:
    // Creates the window, hidden. Without dialogs it shows the real ones.
    TMainForm(HINSTANCE instance, TChartStepMaker makeChartStep,
              std::unique_ptr<TDialogs> dialogs = nullptr);
    ~TMainForm();
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    HWND Handle() const { return form_; }
    HWND Control(TControl control) const { return controls_[static_cast<int>(control)]; }
    // Sees each message of the thread before the controls: the Delete key's
    // release, Return on a button, and the dialog keys (Tab). True when the
    // message was used up.
    bool PreTranslateMessage(MSG& message);

  private:
    HINSTANCE instance_;
    HWND form_ = nullptr;
    std::array<HWND, static_cast<int>(TControl::Count)> controls_{};
    HFONT font_ = nullptr, boldFont_ = nullptr;
    HMENU PopupMenu1 = nullptr;
    // The list's tooltip and the text it shows: the full path under the mouse.
    HWND tooltip_ = nullptr;
    std::wstring tipText_;
    std::unique_ptr<TDialogs> dialogs_;
    TChartStepMaker makeChartStep_;
    TChartStep chartStep_;  // made on first use
    // Created by FormCreate, kept until the window goes (see MergeJob).
    std::unique_ptr<TMT4TestReport> ReportA, ReportB;
    std::string TempPath;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Command(int id, int notification);

    // Building the controls (main_form_layout.cpp).
    void CreateControls();
    void CreateFonts();
    void FitLanguageListHeight();
    void WidenLabelsToText();
    void CreatePopupMenu();
    // The list's context menu, lines and drops (report_list.cpp).
    void ShowPopupMenu(LPARAM at);
    void AcceptDroppedFiles();
    void CreateListTooltip();
    void TooltipText(NMTTDISPINFOW& info);
    void AppendDroppedFiles(HDROP drop);
    void MeasureListItem(MEASUREITEMSTRUCT& item) const;
    void DrawListItem(const DRAWITEMSTRUCT& item) const;

    // Runs a handler; an error escaping it goes to the error box and the
    // window goes on.
    void Run(const std::function<void()>& handler);

    void FormCreate();
    void AddReportsToMerge();
    void Button1Click();
    void DeleteSelectedReports();
    void FormKeyUp(WPARAM key);
    void BtnFileNameClick();
    void cbxWriteOpSymbolToReportClick();
    void BtnOnLineHelpClick();
    void BtnMergeClick();
    void ShowOutcome(const TMergeOutcome& outcome);
    // Draws the chart of the merged report; what it returns saves it.
    TSaveChart CreateGraph(const TMT4TestReport& report);
};

// The line of a list box.
std::wstring ListLine(HWND list, int index);
// Lets the list's lines be dragged into another order, and a right press
// select the line under it (list_drag.cpp).
void EnableLineDragging(HWND list);
// Moves the selected lines, keeping their order, to before line `before`
// (the count for the end); they stay selected.
void MoveSelectedLines(HWND list, int before);

// Runs the thread's message loop through the window's PreTranslateMessage
// until the window is closed; returns the exit code.
int RunMessageLoop(TMainForm& form);

}  // namespace velquist
