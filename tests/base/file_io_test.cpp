// WriteWholeFile's choice of what to replace: links, modes, long names.
// Special files, other users, signals and a full disk are
// tried through the command line (tests/cli/result_files.py).
#include "base/file_io.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "fixtures/temp_dir.hpp"

namespace velquist {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::TTempDir;

// The names in the folder, sorted.
std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(WriteWholeFile, FollowsSymbolicLinksAndReplacesTheFileTheyLeadTo) {
    struct TCase {
        const char* Name;
        const char* LinkTarget;  // what "link" points to
        const char* Real;        // the file that must get the bytes
    };
    const TCase cases[] = {
        {"link to a file", "real", "real"},
        {"link to a file in a subfolder", "sub/real", "sub/real"},
        {"link to a link", "link2", "real"},
        {"dangling link", "sub/new", "sub/new"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempDir dir;
        fs::create_directory(dir.Path("sub"));
        dir.Write("real", "earlier");
        dir.Write("sub/real", "earlier");
        fs::create_symlink("real", dir.Path("link2"));
        fs::create_symlink(c.LinkTarget, dir.Path("link"));
        WriteWholeFile(dir.Path("link"), "new");
        EXPECT_TRUE(fs::is_symlink(dir.Path("link")));
        EXPECT_EQ(fs::read_symlink(dir.Path("link")), c.LinkTarget);
        EXPECT_EQ(ReadFileBytes(dir.Path(c.Real)), "new");
        EXPECT_EQ(NamesIn(dir.Root()), (std::vector<std::string>{"link", "link2", "real", "sub"}));
    }
}

TEST(WriteWholeFile, KeepsTheModeOfTheFileItReplaces) {
    for (const mode_t mode : {0600, 0640, 0604, 0660, 0755}) {
        SCOPED_TRACE(mode);
        TTempDir dir;
        const std::string path = dir.Write("r.htm", "earlier");
        ::chmod(path.c_str(), mode);
        WriteWholeFile(path, "new");
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
        EXPECT_EQ(ReadFileBytes(path), "new");
    }
}

// 255 bytes is the longest name a Linux file system takes; the temporary file
// beside it must not need a longer one.
TEST(WriteWholeFile, TakesTheLongestNamesTheFolderAllows) {
    TTempDir dir;
    for (std::size_t length = 249; length <= 255; ++length) {
        SCOPED_TRACE(length);
        const std::string path = dir.Path(std::string(length - 4, 'r') + ".htm");
        WriteWholeFile(path, "first");
        WriteWholeFile(path, "second");
        EXPECT_EQ(ReadFileBytes(path), "second");
    }
    EXPECT_EQ(NamesIn(dir.Root()).size(), 7u) << "no temporary file is left behind";
}

}  // namespace
}  // namespace velquist
