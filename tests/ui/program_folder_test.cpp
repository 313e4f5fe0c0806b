// What the window finds from its program's folder: the help page of an
// installed or an unpacked program, and where its file dialogs start.
#include "ui/program_folder.hpp"

#include <gtest/gtest.h>

#include <QDir>
#include <filesystem>

#include "fixtures/temp_dir.hpp"

namespace velquist {
namespace {

QString Q(const std::string& path) { return QString::fromStdString(path); }

TEST(ProgramFolder, FindsTheInstalledHelpPageElseTheOneBesideTheProgram) {
    testing::TTempDir root;
    std::filesystem::create_directories(root.Path("usr/bin"));
    std::filesystem::create_directories(root.Path("usr/share/velquist"));
    root.Write("usr/share/velquist/help.html", "help");
    EXPECT_EQ(HelpPagePath(Q(root.Path("usr/bin"))), Q(root.Path("usr/share/velquist/help.html")));
    EXPECT_EQ(HelpPagePath(Q(root.Path("unpacked"))), Q(root.Path("unpacked/help.html")));
}

TEST(ProgramFolder, DialogsStartThereWhenItTakesFilesElseAtHome) {
    testing::TTempDir root;
    const QString home = Q(root.Path("home"));
    EXPECT_EQ(DialogStartFolder(Q(root.Path("")), home), Q(root.Path("")));
    EXPECT_EQ(DialogStartFolder(Q(root.Path("gone")), home), home + "/");
}

}  // namespace
}  // namespace velquist
