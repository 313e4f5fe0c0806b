// What the window looks like when it opens: title, size, controls, tab order,
// language list, context menu and file dialog set-up.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QToolTip>

#include "answered_dialogs.hpp"
#include "languages/phrase_table.hpp"
#include "window_fixture.hpp"

namespace velquist {
namespace {

using WindowOpening = testing::WindowTest;

TEST_F(WindowOpening, ShowsTheApplicationTitleAndAFixedCloseOnlyFrame) {
    // Qt would append a display name to the caption (checked under Xvfb too).
    EXPECT_NE(QGuiApplication::applicationDisplayName(), "Zidaz UV4 Eduzida");
    EXPECT_EQ(Form->windowTitle(), "Zidaz UV4 Eduzida https://www.velquist.com");
    EXPECT_EQ(Form->size(), QSize(820, 328));
    EXPECT_EQ(Form->minimumSize(), Form->maximumSize());
    const Qt::WindowFlags flags = Form->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

QString TextOf(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
    return {};
}

// Every control is there with its kind and text, inside the window, clear of
// the others, and wide enough to show its whole text.
TEST_F(WindowOpening, ShowsEveryControlWholeAndApartWithItsText) {
    const struct {
        const char* Name;
        const char* Kind;
        QString Text;
    } controls[] = {
        {"lblReportsToMerge", "QLabel", "Reports to merge:"},
        {"lbxReports", "QListWidget", ""},
        {"lblLanguage", "QLabel", "Result report language"},
        {"cbxLanguage", "QComboBox", ""},
        {"BtnOnLineHelp", "QPushButton", "On-Line Help"},
        {"Button1", "QPushButton", "Add reports to merge"},
        {"lblFileName", "QLabel", "Result report filename"},
        {"edFileName", "QLineEdit", ""},
        {"BtnFileName", "QPushButton", ".."},
        {"BtnMerge", "QPushButton", "Merge reports"},
        {"cbxWriteOpSymbolToReport", "QCheckBox",
         "Add \"Symbol\" field to report (not compatible with www.tradestatlab.net)"},
    };
    QList<QWidget*> placed;
    for (const auto& expected : controls) {
        SCOPED_TRACE(expected.Name);
        auto* control = Child<QWidget>(expected.Name);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(control->inherits(expected.Kind));
        EXPECT_EQ(TextOf(control), expected.Text);
        EXPECT_TRUE(Form->rect().contains(control->geometry()));
        if (!expected.Text.isEmpty()) {
            EXPECT_GE(control->width(), control->fontMetrics().horizontalAdvance(expected.Text));
        }
        for (QWidget* other : placed) {
            EXPECT_FALSE(control->geometry().intersects(other->geometry()))
                << other->objectName().toStdString();
        }
        placed << control;
    }
    EXPECT_EQ(Child<QWidget>("Chart1")->size(), QSize(820, 200));
}

TEST_F(WindowOpening, StartsWithAnEmptyNameAnUntickedSymbolBoxAndTheChartHidden) {
    EXPECT_TRUE(Child<QLineEdit>("edFileName")->text().isEmpty());
    EXPECT_FALSE(Child<QCheckBox>("cbxWriteOpSymbolToReport")->isChecked());
    EXPECT_TRUE(Child<QWidget>("Chart1")->isHidden());
    EXPECT_EQ(List()->count(), 0);
    EXPECT_TRUE(Child<QPushButton>("BtnMerge")->font().bold());
    EXPECT_FALSE(Child<QPushButton>("Button1")->font().bold());
}

TEST_F(WindowOpening, TabsThroughTheControlsInTheirOrder) {
    QStringList order;
    QWidget* widget = List();
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(Form.get()) &&
            !widget->objectName().isEmpty())
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != List());
    EXPECT_EQ(order,
              QStringList({"lbxReports", "cbxLanguage", "edFileName", "BtnFileName", "Button1",
                           "BtnMerge", "BtnOnLineHelp", "cbxWriteOpSymbolToReport"}));
}

TEST_F(WindowOpening, OffersTheTwentyEightLanguagesWithEnglishPickedAndNoTyping) {
    auto* languages = Child<QComboBox>("cbxLanguage");
    ASSERT_EQ(languages->count(), 28);
    for (int i = 0; i < 28; ++i) {
        const std::string_view name = LanguageNames()[i];
        EXPECT_EQ(languages->itemText(i).toStdString(), name);
    }
    EXPECT_EQ(languages->itemText(6), "Portuguese (Brazil)");
    EXPECT_EQ(languages->itemText(27), "Arabic");
    EXPECT_EQ(languages->currentText(), "English");
    EXPECT_FALSE(languages->isEditable());
}

TEST_F(WindowOpening, ListSelectsSeveralLinesAndKeepsTheOrderAdded) {
    EXPECT_EQ(List()->selectionMode(), QAbstractItemView::ExtendedSelection);
    AddReports({"/r/b.htm", "/r/a.htm"});
    EXPECT_EQ(Lines(), QStringList({"/r/b.htm", "/r/a.htm"}));
    EXPECT_EQ(List()->visualItemRect(List()->item(0)).height(), 13);
}

TEST_F(WindowOpening, ContextMenuOffersAddThenDeleteWithDelShown) {
    auto* menu = Child<QMenu>("PopupMenu1");
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->objectName(), "Addreportstomerge1");
    EXPECT_EQ(actions[0]->text(), "Add reports to merge");
    EXPECT_TRUE(actions[0]->shortcut().isEmpty());
    EXPECT_EQ(actions[1]->objectName(), "Deleteselectedreports1");
    EXPECT_EQ(actions[1]->text(), "Delete selected reports");
    EXPECT_EQ(actions[1]->shortcut().toString(QKeySequence::NativeText), "Del");
    EXPECT_TRUE(actions[1]->isShortcutVisibleInContextMenu());
    EXPECT_EQ(List()->contextMenuPolicy(), Qt::CustomContextMenu);
}

TEST_F(WindowOpening, HasItsIconDrawn) {
    const QImage icon = Form->windowIcon().pixmap(32, 32).toImage();
    ASSERT_FALSE(icon.isNull());
    // A rounded square: clear corners, an opaque middle, and a curve of another colour.
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(16, 16)), 255);
    EXPECT_NE(icon.pixel(4, 16), icon.pixel(21, 11));
}

// The widgets whose font is not the window's, by class and name.
QStringList OtherFonts(const QWidget& window, const QFont& font) {
    QStringList other;
    QList<const QWidget*> widgets{&window};
    for (const QWidget* child : window.findChildren<QWidget*>()) widgets << child;
    for (const QWidget* widget : widgets) {
        const QFont own = widget->font();
        if (own.family() != font.family() || own.pointSizeF() != font.pointSizeF())
            other << QString(widget->metaObject()->className()) + " " + widget->objectName();
    }
    return other;
}

TEST_F(WindowOpening, MenusFileDialogsAndMessageBoxesUseTheWindowsFont) {
    const QFont font = Form->font();
    EXPECT_EQ(OtherFonts(*Child<QMenu>("PopupMenu1"), font), QStringList());
    testing::TAnsweredQtDialogs dialogs(Form.get());
    int shown = 0;
    dialogs.Answer = [&](QDialog& dialog) {
        EXPECT_EQ(OtherFonts(dialog, font), QStringList()) << dialog.metaObject()->className();
        ++shown;
        return int(QDialog::Rejected);
    };
    dialogs.SetUpFileDialogs(QDir::tempPath(), ReportFileFilters());
    dialogs.OpenReports();
    dialogs.SaveResult();
    dialogs.ShowError("text");
    dialogs.ConfirmDelete("text");
    EXPECT_EQ(shown, 4);
}

// Notes what the list's lines are painted with.
class TLinePaintRecorder : public QProxyStyle {
  public:
    mutable QList<QStyleOptionViewItem> Lines;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (const auto* line = qstyleoption_cast<const QStyleOptionViewItem*>(option))
            Lines << *line;
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

TEST_F(WindowOpening, ListShowsTheFileNameOfALongPathAndTheWholePathAsTooltip) {
    const QString path = "/home/trader/" + QString(40, 'd') + "/" + QString(40, 'e') + "/" +
                         QString(40, 'f') + "/reports/strategy-tester-07.htm";
    AddReports({path});
    TLinePaintRecorder recorder;
    List()->setStyle(&recorder);
    List()->viewport()->grab();
    List()->setStyle(nullptr);
    ASSERT_FALSE(recorder.Lines.isEmpty());
    const QStyleOptionViewItem& line = recorder.Lines.first();
    ASSERT_EQ(line.text, path);
    const int width = recorder.subElementRect(QStyle::SE_ItemViewItemText, &line, List()).width();
    const QString shown = QFontMetrics(line.font).elidedText(line.text, line.textElideMode, width);
    EXPECT_NE(shown, path) << "the path is long enough to be cut";
    EXPECT_TRUE(shown.startsWith("/home/")) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("/strategy-tester-07.htm")) << shown.toStdString();

    const QPoint at = List()->visualItemRect(List()->item(0)).center();
    QHelpEvent help(QEvent::ToolTip, at, List()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(List()->viewport(), &help);
    EXPECT_EQ(QToolTip::text(), path);
    QToolTip::hideText();
}

TEST_F(WindowOpening, PointsBothFileDialogsAtTheProgramFolderWithTheReportFilters) {
    EXPECT_EQ(Dialogs->InitialFolder, QCoreApplication::applicationDirPath() + "/");
    EXPECT_EQ(Dialogs->Filters, QStringList({"HTML Files (*.htm *.html)", "All Files (*)"}));
}

}  // namespace
}  // namespace velquist
