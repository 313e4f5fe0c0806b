// The program's one window: the list of reports to merge, the result's
// language and file name, the "Symbol" option, on-line help, and the merge.
// It only wires its controls to MergeJob and CreateGraph and keeps the two
// report objects for the whole run; dialogs and message boxes go through
// TDialogs. Reading, merging, writing and drawing are not done here.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "job/merge_job.hpp"
#include "model/report.hpp"
#include "ui/dialogs.hpp"

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace velquist {

class TReportListBox;

class TMainForm : public QWidget {
    Q_OBJECT

  public:
    // Without dialogs the window shows the real ones (TQtDialogs).
    explicit TMainForm(std::unique_ptr<TDialogs> dialogs = nullptr);
    ~TMainForm() override;

  protected:
    // Sees every key release of the application before the focused control.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::unique_ptr<TDialogs> dialogs_;
    // Created by FormCreate, kept until the window goes (see MergeJob).
    std::unique_ptr<TMT4TestReport> ReportA, ReportB;
    std::string TempPath;
    // The chart step over TempPath, made on first use.
    TChartStep chartStep_;

    QLabel* lblReportsToMerge = nullptr;
    TReportListBox* lbxReports = nullptr;
    QLabel* lblLanguage = nullptr;
    QComboBox* cbxLanguage = nullptr;
    QPushButton* BtnOnLineHelp = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* lblFileName = nullptr;
    QLineEdit* edFileName = nullptr;
    QPushButton* BtnFileName = nullptr;
    QPushButton* BtnMerge = nullptr;
    QCheckBox* cbxWriteOpSymbolToReport = nullptr;
    QWidget* Chart1 = nullptr;
    QMenu* PopupMenu1 = nullptr;

    // Building the controls (main_form_layout.cpp).
    void CreateControls();
    void CreateListControls();
    void CreateResultControls();
    void CreatePopupMenu();
    void SetTabOrder();
    void ConnectHandlers();

    // Runs a handler; an error escaping it goes to the error box and the
    // window goes on.
    void Run(const std::function<void()>& handler);

    void FormCreate();
    void AddReportsToMerge();
    void Button1Click();
    void DeleteSelectedReports();
    void FormKeyUp(const QKeyEvent& key);
    void PopupMenuKeyUp(const QKeyEvent& key);
    void BtnFileNameClick();
    void cbxWriteOpSymbolToReportClick();
    void BtnOnLineHelpClick();
    void BtnMergeClick();
    // Draws the chart of the merged report; what it returns saves it.
    TSaveChart CreateGraph(const TMT4TestReport& report);
};

}  // namespace velquist
