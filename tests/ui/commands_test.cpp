// The window's commands other than the merge: adding and deleting reports,
// the Delete key, the result file dialog, on-line help, drops and reordering.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QWindow>

#include "fixtures/temp_dir.hpp"
#include "ui/report_list_box.hpp"
#include "window_fixture.hpp"

namespace velquist {
namespace {

using WindowCommands = testing::WindowTest;

QStringList Names(int count) {
    QStringList names;
    for (int i = 1; i <= count; ++i) names << QString("/r/%1.htm").arg(i);
    return names;
}

TEST_F(WindowCommands, AddAppendsTheChosenFilesFromButtonOrMenuAndKeepsRepeats) {
    AddReports({"/r/a.htm", "/r/b.txt"});
    Dialogs->OpenAnswers.push_back(QStringList{"/r/a.htm"});
    Child<QAction>("Addreportstomerge1")->trigger();
    Dialogs->OpenAnswers.push_back(std::nullopt);
    Click("Button1");
    EXPECT_EQ(Lines(), QStringList({"/r/a.htm", "/r/b.txt", "/r/a.htm"}));
    EXPECT_TRUE(Dialogs->OpenAnswers.empty());
}

struct TDeleteCase {
    const char* Name;
    int Lines;
    std::vector<int> Selected;
    bool Answer;
    QStringList Questions;
    QStringList Left;
};

TEST_F(WindowCommands, DeleteAsksWithTheSelectedCountAndRemovesOnlyOnYes) {
    const TDeleteCase cases[] = {
        {"lines 2 and 3 of five, Yes",
         5,
         {1, 2},
         true,
         {"Delete terminals (2) ?"},
         {"/r/1.htm", "/r/4.htm", "/r/5.htm"}},
        {"three of ten, No", 10, {0, 4, 9}, false, {"Delete terminals (3) ?"}, Names(10)},
        {"first and last, Yes",
         4,
         {0, 3},
         true,
         {"Delete terminals (2) ?"},
         {"/r/2.htm", "/r/3.htm"}},
        {"all, Yes", 3, {0, 1, 2}, true, {"Delete terminals (3) ?"}, {}},
        {"none selected", 3, {}, true, {}, Names(3)},
    };
    for (const TDeleteCase& c : cases) {
        SCOPED_TRACE(c.Name);
        List()->clear();
        Dialogs->Questions.clear();
        Dialogs->ConfirmAnswers = {c.Answer};
        AddReports(Names(c.Lines));
        List()->clearSelection();
        for (int row : c.Selected) List()->item(row)->setSelected(true);
        Child<QAction>("Deleteselectedreports1")->trigger();
        EXPECT_EQ(Dialogs->Questions, c.Questions);
        EXPECT_EQ(Lines(), c.Left);
    }
}

TEST_F(WindowCommands, DeleteKeyAsksOnceFromEveryControlButTheFileNameBox) {
    for (const char* control :
         {"lbxReports", "cbxLanguage", "BtnMerge", "BtnOnLineHelp", "cbxWriteOpSymbolToReport"}) {
        SCOPED_TRACE(control);
        List()->clear();
        AddReports(Names(3));
        SelectLines({1});
        // No first: the line stays selected, so a second run of the command would ask again.
        Dialogs->Questions.clear();
        Dialogs->ConfirmAnswers = {false, true};
        PressDelete(Child<QWidget>(control));
        EXPECT_EQ(Dialogs->Questions, QStringList{"Delete terminals (1) ?"});
        EXPECT_EQ(Lines(), Names(3));
        PressDelete(Child<QWidget>(control));
        EXPECT_EQ(Dialogs->Questions.size(), 2);
        EXPECT_EQ(Lines(), QStringList({"/r/1.htm", "/r/3.htm"}));
    }
}

TEST_F(WindowCommands, DeleteKeyInTheFileNameBoxEditsTheName) {
    AddReports(Names(3));
    SelectLines({0});
    auto* name = Child<QLineEdit>("edFileName");
    name->setText("xout.htm");
    name->setCursorPosition(0);
    PressDelete(name);
    EXPECT_TRUE(Dialogs->Questions.isEmpty());
    EXPECT_EQ(name->text(), "out.htm");
    EXPECT_EQ(Lines(), Names(3));
}

TEST_F(WindowCommands, ReturnAndEnterPressTheFocusedButton) {
    for (const char* name : {"Button1", "BtnFileName", "BtnMerge", "BtnOnLineHelp"}) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            SCOPED_TRACE(std::string(name) + (key == Qt::Key_Return ? " Return" : " Enter"));
            Dialogs->OpenAnswers = {std::nullopt};
            Dialogs->SaveAnswers = {std::nullopt};
            auto* button = Child<QPushButton>(name);
            QSignalSpy clicked(button, &QPushButton::clicked);
            button->setFocus();
            QTest::keyClick(button, key);
            EXPECT_EQ(clicked.count(), 1);
        }
    }
}

TEST_F(WindowCommands, KeyboardOpensTheListMenuWhereDelDeletesTheSelectedLines) {
    const std::pair<Qt::Key, Qt::KeyboardModifiers> openKeys[] = {{Qt::Key_F10, Qt::ShiftModifier},
                                                                  {Qt::Key_Menu, Qt::NoModifier}};
    auto* menu = Child<QMenu>("PopupMenu1");
    for (const auto& [key, modifiers] : openKeys) {
        List()->clear();
        AddReports(Names(3));
        SelectLines({1});
        Dialogs->Questions.clear();
        Dialogs->ConfirmAnswers = {true};
        List()->setFocus();
        QTest::keyClick(List(), key, modifiers);
        ASSERT_TRUE(menu->isVisible()) << "key " << key;
        QTest::keyClick(menu, Qt::Key_Delete);
        EXPECT_FALSE(menu->isVisible());
        EXPECT_EQ(Dialogs->Questions, QStringList{"Delete terminals (1) ?"});
        EXPECT_EQ(Lines(), QStringList({"/r/1.htm", "/r/3.htm"}));
    }
}

struct TSaveCase {
    QString Chosen;
    int Filter;
    QString Shown;
};

TEST_F(WindowCommands, SaveDialogGivesHtmWithTheHtmlFilterAndTheNameAsTypedOtherwise) {
    const TSaveCase cases[] = {
        {"/d/report.txt", 0, "/d/report.htm"},  {"/d/report.txt", 1, "/d/report.txt"},
        {"/d/report.html", 0, "/d/report.htm"}, {"/d/report", 0, "/d/report.htm"},
        {"/d/report", 1, "/d/report"},          {"/d.x/report", 0, "/d.x/report.htm"},
        {"/d/a.b.htm", 0, "/d/a.b.htm"},        {"/d/report.", 0, "/d/report.htm"},
    };
    auto* name = Child<QLineEdit>("edFileName");
    for (const TSaveCase& c : cases) {
        SCOPED_TRACE(c.Chosen.toStdString() + " filter " + std::to_string(c.Filter));
        name->setText("previous");
        Dialogs->SaveAnswers.push_back(TSaveChoice{c.Chosen, c.Filter});
        Click("BtnFileName");
        EXPECT_EQ(name->text(), c.Shown);
    }
    Dialogs->SaveAnswers.push_back(std::nullopt);
    Click("BtnFileName");
    EXPECT_EQ(name->text(), "/d/report.htm");
}

TEST_F(WindowCommands, HelpButtonOpensTheHelpPage) {
    Click("BtnOnLineHelp");
    EXPECT_EQ(
        Dialogs->Urls,
        QList<QUrl>{QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/help.html")});
}

struct TRightClickCase {
    const char* Name;
    std::vector<int> Selected;
    int Row;  // -1: below the last line
    QStringList SelectedAfter;
};

// The line under the pointer is the one the menu acts on; a selection the
// pointer is in stays whole. "Delete selected reports" is greyed out while no
// line is selected.
TEST_F(WindowCommands, RightClickSelectsTheLineUnderThePointer) {
    const TRightClickCase cases[] = {
        {"an unselected line", {0, 1}, 2, {"/r/3.htm"}},
        {"a selected line", {0, 2}, 2, {"/r/1.htm", "/r/3.htm"}},
        {"below the lines", {1}, -1, {}},
    };
    auto* menu = Child<QMenu>("PopupMenu1");
    auto* remove = Child<QAction>("Deleteselectedreports1");
    for (const TRightClickCase& c : cases) {
        SCOPED_TRACE(c.Name);
        List()->clear();
        AddReports(Names(4));
        List()->clearSelection();
        for (int row : c.Selected) List()->item(row)->setSelected(true);
        QWidget* viewport = List()->viewport();
        const QPoint at = c.Row < 0 ? QPoint(20, viewport->height() - 5)
                                    : List()->visualItemRect(List()->item(c.Row)).center();
        QTest::mousePress(viewport, Qt::RightButton, {}, at);
        QTest::mouseRelease(viewport, Qt::RightButton, {}, at);
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &request);
        ASSERT_TRUE(menu->isVisible());
        QStringList selected;
        for (const QListWidgetItem* item : List()->selectedItems()) selected << item->text();
        selected.sort();
        EXPECT_EQ(selected, c.SelectedAfter);
        EXPECT_EQ(remove->isEnabled(), !c.SelectedAfter.isEmpty());
        menu->close();
    }
}

// Drags the mime data in from outside and drops it, as a file manager would;
// false when the list refuses the drag on entry.
bool DragInAndDrop(QWidget* target, const QMimeData& mime) {
    const QPoint at(10, 10);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

TEST_F(WindowCommands, DroppedFilesAreAppendedInTheDroppedOrderSkippingFolders) {
    testing::TTempDir dir;
    const QString b = QString::fromStdString(dir.Write("b.htm", "x"));
    const QString a = QString::fromStdString(dir.Write("a.htm", "x"));
    AddReports({"/r/first.htm"});
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(b),
                   QUrl::fromLocalFile(QString::fromStdString(dir.Root().string())),
                   QUrl("https://www.velquist.com/x.htm"), QUrl::fromLocalFile(a)});
    EXPECT_TRUE(DragInAndDrop(List()->viewport(), files));
    EXPECT_EQ(Lines(), QStringList({"/r/first.htm", b, a}));

    QMimeData text;
    text.setText(b);
    EXPECT_FALSE(DragInAndDrop(List()->viewport(), text));
    EXPECT_EQ(Lines().size(), 3);
}

struct TMoveCase {
    std::vector<int> Selected;
    int Before;
    QStringList Order;
};

TEST_F(WindowCommands, DraggedLinesMoveTogetherInTheirOrder) {
    const TMoveCase cases[] = {
        {{2}, 0, {"/r/3.htm", "/r/1.htm", "/r/2.htm", "/r/4.htm", "/r/5.htm"}},
        {{0}, 5, {"/r/2.htm", "/r/3.htm", "/r/4.htm", "/r/5.htm", "/r/1.htm"}},
        {{0, 3}, 2, {"/r/2.htm", "/r/1.htm", "/r/4.htm", "/r/3.htm", "/r/5.htm"}},
        {{1, 2}, 2, Names(5)},
        {{1, 4}, 0, {"/r/2.htm", "/r/5.htm", "/r/1.htm", "/r/3.htm", "/r/4.htm"}},
    };
    auto* list = Child<TReportListBox>("lbxReports");
    for (const TMoveCase& c : cases) {
        list->clear();
        AddReports(Names(5));
        list->clearSelection();
        for (int row : c.Selected) list->item(row)->setSelected(true);
        list->MoveSelectedTo(c.Before);
        EXPECT_EQ(Lines(), c.Order) << "moving before " << c.Before;
        EXPECT_EQ(list->selectedItems().size(), static_cast<qsizetype>(c.Selected.size()));
    }
}

// A real drag needs a display server's drag and drop: the offscreen platform
// ends every drag at once. CTest runs this suite again under Xvfb.
using WindowMouse = testing::WindowTest;

TEST_F(WindowMouse, DraggingALineAboveTheFirstMakesItTheBaseReport) {
    if (QGuiApplication::platformName() == "offscreen") GTEST_SKIP() << "no drag and drop here";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    AddReports(Names(4));
    QWindow* window = Form->windowHandle();
    auto at = [&](int row) {
        const QRect line = List()->visualItemRect(List()->item(row));
        return List()->viewport()->mapTo(Form.get(), line.center() - QPoint(0, line.height() / 4));
    };
    // The drag runs its own event loop: the moves and the drop happen inside it.
    bool dropped = false;
    QTimer::singleShot(300, [&] {
        for (int step = 0; step < 5; ++step) {
            QTest::mouseMove(window, at(0) + QPoint(step, 1));
            QTest::qWait(30);
        }
        QTest::mouseRelease(window, Qt::LeftButton, {}, at(0));
        dropped = true;
    });
    QTest::mousePress(window, Qt::LeftButton, {}, at(2));
    QTest::mouseMove(window, at(2) + QPoint(0, 30));
    QTest::mouseMove(window, at(1));
    EXPECT_TRUE(QTest::qWaitFor([&] { return dropped; }, 5000));
    EXPECT_EQ(Lines(), QStringList({"/r/3.htm", "/r/1.htm", "/r/2.htm", "/r/4.htm"}));
}

}  // namespace
}  // namespace velquist
