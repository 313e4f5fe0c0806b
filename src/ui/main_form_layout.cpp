// The window's controls: kinds, names, places, texts, tab order and the
// list's context menu. What the controls do is in main_form.cpp.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "base/web_addresses.hpp"
#include "ui/main_form.hpp"
#include "ui/report_list_box.hpp"

namespace velquist {
namespace {

template <typename TControl>
TControl* Place(QWidget* form, const char* name, QRect geometry) {
    auto* control = new TControl(form);
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

// A label keeps its place and is widened to its text where the substitute
// font runs wider than the one the sizes were measured with, so that nothing
// is cut off.
QLabel* PlaceLabel(QWidget* form, const char* name, QRect geometry, const QString& text) {
    auto* label = Place<QLabel>(form, name, geometry);
    label->setText(text);
    if (label->sizeHint().width() > geometry.width())
        label->resize(label->sizeHint().width(), geometry.height());
    return label;
}

QPushButton* PlaceButton(QWidget* form, const char* name, QRect geometry, const QString& text) {
    auto* button = Place<QPushButton>(form, name, geometry);
    button->setText(text);
    // Return presses the focused button, as Space does; Qt gives that only to
    // buttons of dialogs unless asked.
    button->setAutoDefault(true);
    return button;
}

}  // namespace

void TMainForm::CreateControls() {
    CreateListControls();
    CreateResultControls();
    CreatePopupMenu();
    SetTabOrder();
    ConnectHandlers();
}

void TMainForm::CreateListControls() {
    lblReportsToMerge =
        PlaceLabel(this, "lblReportsToMerge", {360, 4, 84, 13}, "Reports to merge:");
    lbxReports = new TReportListBox(this);
    lbxReports->setObjectName("lbxReports");
    lbxReports->setGeometry(8, 24, 801, 201);
    lbxReports->setContextMenuPolicy(Qt::CustomContextMenu);
    lblLanguage = PlaceLabel(this, "lblLanguage", {8, 244, 107, 13}, "Result report language");
    cbxLanguage = Place<QComboBox>(this, "cbxLanguage", {128, 240, 145, 21});
    cbxLanguage->setEditable(false);
    BtnOnLineHelp = PlaceButton(this, "BtnOnLineHelp", {288, 240, 75, 25}, "On-Line Help");
    Button1 = PlaceButton(this, "Button1", {704, 240, 113, 25}, "Add reports to merge");
}

void TMainForm::CreateResultControls() {
    lblFileName = PlaceLabel(this, "lblFileName", {8, 276, 102, 13}, "Result report filename");
    edFileName = Place<QLineEdit>(this, "edFileName", {128, 272, 497, 21});
    BtnFileName = PlaceButton(this, "BtnFileName", {632, 272, 25, 21}, "..");
    BtnMerge = PlaceButton(this, "BtnMerge", {704, 272, 113, 25}, "Merge reports");
    QFont bold = BtnMerge->font();
    bold.setBold(true);
    BtnMerge->setFont(bold);
    cbxWriteOpSymbolToReport =
        Place<QCheckBox>(this, "cbxWriteOpSymbolToReport", {8, 296, 649, 17});
    cbxWriteOpSymbolToReport->setText(
        QString("Add \"Symbol\" field to report (not compatible with %1)")
            .arg(OutsideServiceHostName));
    // The balance picture is drawn off-screen by CreateGraph; this never-shown
    // widget only keeps the chart's place in the window and its tab slot.
    Chart1 = Place<QWidget>(this, "Chart1", {0, 32, 820, 200});
}

void TMainForm::CreatePopupMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    QAction* add = PopupMenu1->addAction("Add reports to merge");
    add->setObjectName("Addreportstomerge1");
    connect(add, &QAction::triggered, this, [this] { Run([this] { AddReportsToMerge(); }); });
    QAction* remove = PopupMenu1->addAction("Delete selected reports");
    remove->setObjectName("Deleteselectedreports1");
    // "Del" is shown in the menu and handled by the window's key handlers, both
    // while the menu is open (PopupMenuKeyUp) and closed (FormKeyUp); the
    // shortcut itself never fires, so the key never runs the command twice.
    remove->setShortcut(QKeySequence::Delete);
    remove->setShortcutContext(Qt::WidgetShortcut);
    remove->setShortcutVisibleInContextMenu(true);
    connect(remove, &QAction::triggered, this,
            [this] { Run([this] { DeleteSelectedReports(); }); });
    // Greyed out while no line is selected, when it would do nothing.
    const auto enableRemove = [this, remove] {
        remove->setEnabled(!lbxReports->selectedItems().isEmpty());
    };
    enableRemove();
    connect(lbxReports, &QListWidget::itemSelectionChanged, remove, enableRemove);
    connect(lbxReports, &QWidget::customContextMenuRequested, this,
            [this, enableRemove](const QPoint& at) {
                enableRemove();
                PopupMenu1->popup(lbxReports->viewport()->mapToGlobal(at));
            });
}

void TMainForm::SetTabOrder() {
    QWidget* const chain[] = {lbxReports,  cbxLanguage,   edFileName,
                              BtnFileName, Button1,       BtnMerge,
                              Chart1,      BtnOnLineHelp, cbxWriteOpSymbolToReport};
    for (std::size_t i = 1; i < std::size(chain); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void TMainForm::ConnectHandlers() {
    connect(Button1, &QPushButton::clicked, this, [this] { Run([this] { Button1Click(); }); });
    connect(BtnFileName, &QPushButton::clicked, this,
            [this] { Run([this] { BtnFileNameClick(); }); });
    connect(BtnMerge, &QPushButton::clicked, this, [this] { Run([this] { BtnMergeClick(); }); });
    connect(BtnOnLineHelp, &QPushButton::clicked, this,
            [this] { Run([this] { BtnOnLineHelpClick(); }); });
    connect(cbxWriteOpSymbolToReport, &QCheckBox::toggled, this,
            [this] { Run([this] { cbxWriteOpSymbolToReportClick(); }); });
}

}  // namespace velquist
