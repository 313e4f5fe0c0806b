// The real dialogs and message boxes, looked at and answered just before they
// would be shown.
#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <functional>

#include "answered_dialogs.hpp"
#include "fixtures/temp_dir.hpp"
#include "window_fixture.hpp"

namespace velquist {
namespace {

using testing::TAnsweredQtDialogs;

class RealDialogs : public ::testing::Test {
  protected:
    QWidget Parent;
    TAnsweredQtDialogs Dialogs{&Parent};
    testing::TTempDir Folder;

    QString FolderPath() const { return QString::fromStdString(Folder.Root().string()); }
    QString File(const char* name) const { return QString::fromStdString(Folder.Write(name, "x")); }
};

TEST_F(RealDialogs, OpenDialogChoosesSeveralFilesAndReopensOnTheFirstChosen) {
    const QString a = File("a.htm"), b = File("b.htm");
    Dialogs.SetUpFileDialogs(FolderPath() + "/", ReportFileFilters());
    Dialogs.Answer = [&](QDialog& dialog) {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        EXPECT_EQ(files.objectName(), "OpenDialog1");
        EXPECT_EQ(files.fileMode(), QFileDialog::ExistingFiles);
        EXPECT_EQ(files.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(files.directory().absolutePath(), FolderPath());
        EXPECT_EQ(files.nameFilters(), ReportFileFilters());
        files.selectFile("\"b.htm\" \"a.htm\"");
        return int(QDialog::Accepted);
    };
    EXPECT_EQ(Dialogs.OpenReports(), QStringList({b, a}));

    Dialogs.Answer = [&](QDialog& dialog) {
        EXPECT_EQ(dynamic_cast<QFileDialog&>(dialog).selectedFiles(), QStringList{b});
        return int(QDialog::Rejected);
    };
    EXPECT_EQ(Dialogs.OpenReports(), std::nullopt);
}

TEST_F(RealDialogs, SaveDialogOpensEmptyNeverAsksToReplaceAndTellsTheFilter) {
    Dialogs.SetUpFileDialogs(FolderPath() + "/", ReportFileFilters());
    const QString existing = File("report.txt");
    for (int filter : {1, 0}) {
        Dialogs.Answer = [&](QDialog& dialog) {
            auto& save = dynamic_cast<QFileDialog&>(dialog);
            EXPECT_EQ(save.objectName(), "SaveDialog1");
            EXPECT_EQ(save.acceptMode(), QFileDialog::AcceptSave);
            EXPECT_TRUE(save.testOption(QFileDialog::DontConfirmOverwrite));
            EXPECT_TRUE(save.defaultSuffix().isEmpty());
            EXPECT_EQ(save.nameFilters(), ReportFileFilters());
            EXPECT_EQ(save.directory().absolutePath(), FolderPath());
            EXPECT_EQ(save.selectedFiles().value(0), FolderPath()) << "a file name is preset";
            save.selectNameFilter(ReportFileFilters()[filter]);
            save.selectFile(existing);
            return int(QDialog::Accepted);
        };
        const std::optional<TSaveChoice> choice = Dialogs.SaveResult();
        ASSERT_TRUE(choice.has_value());
        EXPECT_EQ(choice->FileName, existing);
        EXPECT_EQ(choice->FilterIndex, filter);
    }
}

struct TBoxCase {
    const char* Name;
    std::function<void(TQtDialogs&)> Show;
    QMessageBox::Icon Icon;
    QString Title;
    QMessageBox::StandardButtons Buttons;
};

TEST_F(RealDialogs, MessageBoxesCarryTheirTitleIconAndButtons) {
    const TBoxCase cases[] = {
        {"plain", [](TQtDialogs& d) { d.ShowMessage("the text"); }, QMessageBox::NoIcon,
         "Zidaz UV4 Eduzida", QMessageBox::Ok},
        {"error", [](TQtDialogs& d) { d.ShowError("the text"); }, QMessageBox::Critical,
         "Zidaz UV4 Eduzida", QMessageBox::Ok},
        {"warning", [](TQtDialogs& d) { d.ShowWarning("the text"); }, QMessageBox::Warning,
         "Zidaz UV4 Eduzida", QMessageBox::Ok},
        {"confirm", [](TQtDialogs& d) { d.ConfirmDelete("the text"); }, QMessageBox::Question,
         "Confirm", QMessageBox::Yes | QMessageBox::No},
    };
    for (const TBoxCase& c : cases) {
        SCOPED_TRACE(c.Name);
        int shown = 0;
        Dialogs.Answer = [&](QDialog& dialog) {
            auto& box = dynamic_cast<QMessageBox&>(dialog);
            EXPECT_EQ(box.icon(), c.Icon);
            EXPECT_EQ(box.windowTitle(), c.Title);
            EXPECT_EQ(box.text(), "the text");
            EXPECT_EQ(box.standardButtons(), c.Buttons);
            ++shown;
            return int(QMessageBox::Ok);
        };
        c.Show(Dialogs);
        EXPECT_EQ(shown, 1);
    }
}

TEST_F(RealDialogs, ConfirmationIsYesOnlyOnYes) {
    for (auto [button, yes] : {std::pair{QMessageBox::Yes, true}, {QMessageBox::No, false}}) {
        Dialogs.Answer = [button = button](QDialog&) { return int(button); };
        EXPECT_EQ(Dialogs.ConfirmDelete("Delete terminals (1) ?"), yes);
    }
    Dialogs.Answer = [](QDialog& dialog) {
        auto& box = dynamic_cast<QMessageBox&>(dialog);
        EXPECT_EQ(box.button(QMessageBox::Yes)->text(), "&Yes");
        EXPECT_EQ(box.button(QMessageBox::No)->text(), "&No");
        return int(QMessageBox::No);
    };
    Dialogs.ConfirmDelete("Delete terminals (1) ?");
}

}  // namespace
}  // namespace velquist
