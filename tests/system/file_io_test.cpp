// WriteWholeFile's choice of what to replace: links, modes, long names; the
// text files on top of it. Special files, other users, signals and a full
// disk are tried through the command line (tests/cli/result_files.py).
#include "system/file_io.hpp"

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <sys/inotify.h>
#endif

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "base/error.hpp"
#include "base/globals.hpp"
#include "fixtures/expect_error.hpp"
#include "fixtures/temp_dir.hpp"
#include "system/system_text.hpp"
#include "system/text_file.hpp"

namespace velquist {
namespace {

namespace fs = std::filesystem;
using testing::NamesIn;
using testing::ReadFileBytes;
using testing::TTempDir;

// Links and modes are POSIX matters: Windows replaces the name it is given and
// leaves rights to the folder.
#ifndef _WIN32
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
#endif

// The size hint only reserves room, which reads as NUL bytes until written: a
// file that outgrows its hint (the page's size is a lower bound) is the bytes
// written and nothing more.
TEST(TAtomicFileWriter, WritesExactlyTheBytesWhateverTheHint) {
    TTempDir dir;
    const std::string bytes(200000, 'x');
    for (const std::size_t hint : {std::size_t{0}, std::size_t{1000}, bytes.size()}) {
        SCOPED_TRACE(hint);
        TAtomicFileWriter file(dir.Path("out.htm"), hint);
        for (std::size_t at = 0; at < bytes.size(); at += 65536)
            file.Write(std::string_view(bytes).substr(at, 65536));
        file.Commit();
        EXPECT_TRUE(ReadFileBytes(dir.Path("out.htm")) == bytes);
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

#ifdef __linux__
// A regular file ends where it ended when it was opened: one that grows while
// it is read (a log still being written) is read to that size. The file grows
// as soon as its first piece has been read.
TEST(ReadWholeFile, ReadsAFileThatGrowsWhileItIsReadToItsSizeAtOpening) {
    TTempDir dir;
    const std::string original(32 << 20, 'x');
    const std::string path = dir.Write("growing.htm", original);
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, path.c_str(), IN_ACCESS), 0);
    std::thread writer([&] {
        pollfd event{watch, POLLIN, 0};
        char buffer[sizeof(inotify_event) + NAME_MAX + 1];
        if (::poll(&event, 1, 10000) == 1 && ::read(watch, buffer, sizeof buffer) > 0)
            std::ofstream(path, std::ios::app | std::ios::binary) << std::string(1 << 20, 'y');
    });
    std::string bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const Error& error) {
        ADD_FAILURE() << error.what();
    }
    writer.join();
    ::close(watch);
    EXPECT_EQ(bytes.size(), original.size());
}
#endif

// Files already in CR LF lines are taken as read; the others are converted.
// Loading through buffers that held a longer file must leave nothing of it.
TEST(LoadTextFile, GivesEachFileItsOwnTextThroughReusedBuffers) {
    testing::TTempDir dir;
    TTextFileBuffers buffers;
    for (const char* content : {"a longer file\r\nof two lines\r\n", "a\nb", "x\r\n", "c\rd\r\n",
                                "e\r\nf", "g\r\n\n", ""}) {
        const std::string path = dir.Write("in.htm", content);
        EXPECT_EQ(LoadTextFile(path, buffers), NormalizeLineBreaks(content)) << content;
    }
}

TEST(SaveTextFile, ReplacesTheFileWithCrLfLinesAndNamesItWhenItCannot) {
    testing::TTempDir dir;
    const std::string path = dir.Write("out.htm", "an earlier, longer file");
    SaveTextFile(path, "a\nb\rc");
    EXPECT_EQ(testing::ReadFileBytes(path), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(LoadTextFile(path), "a\r\nb\r\nc\r\n");
    const std::string missing = dir.Path("no/out.htm");
    EXPECT_THROW_MSG(SaveTextFile(missing, "x"), Error,
                     "Cannot create file \"" + missing + "\". " + MissingFolderReason);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 1)
        << "no temporary file is left behind";
}

#ifdef _WIN32
// The name goes to Windows as UTF-16: an ANSI call would mangle it.
TEST(WindowsFiles, WriteAndReadNamesBeyondAscii) {
    TTempDir dir;
    const std::string name = "\xD0\xBE\xD1\x82\xD1\x87\xC3\xABt \xE2\x82\xAC \xE6\x9C\x88.htm";
    const std::string path = dir.Path("") + name;
    WriteWholeFile(path, "first");
    WriteWholeFile(path, "second");
    EXPECT_EQ(ReadWholeFile(path), "second");
    std::vector<std::wstring> names;
    for (const auto& entry : fs::directory_iterator(dir.Root()))
        names.push_back(entry.path().filename().wstring());
    EXPECT_EQ(names, std::vector<std::wstring>{Utf8ToWide(name)});
}

// The error's text is one of the given ones.
void ExpectErrorAmong(const std::function<void()>& statement,
                      const std::vector<std::string>& messages) {
    try {
        statement();
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(std::find(messages.begin(), messages.end(), error.what()), messages.end())
            << error.what();
    }
}

// Another program holding the file open without sharing delete makes the
// replacing move fail: the earlier bytes stay and no temporary file is left.
TEST(WindowsFiles, KeepsTheEarlierFileWhenItCannotBeReplaced) {
    TTempDir dir;
    const std::string path = dir.Write("out.htm", "earlier");
    const HANDLE held = ::CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string prefix = "Cannot create file \"" + path + "\". ";
    ExpectErrorAmong([&] { WriteWholeFile(path, "new"); },
                     {prefix + SystemErrorText(ERROR_ACCESS_DENIED),
                      prefix + SystemErrorText(ERROR_SHARING_VIOLATION)});
    ::CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(path), "earlier");
    EXPECT_EQ(NamesIn(dir.Root()), std::vector<std::string>{"out.htm"});
}

// The system's own reason, in Windows' wording or Wine's, without the period
// and line break that end it.
TEST(WindowsFiles, OpeningErrorsCarryTheSystemsReason) {
    TTempDir dir;
    const struct {
        std::string Path;
        std::string WindowsReason;
        std::string WineReason;
    } cases[] = {
        {dir.Path("missing.htm"), "The system cannot find the file specified", "File not found"},
        {dir.Path("no folder/missing.htm"), "The system cannot find the path specified",
         "Path not found"},
        {dir.Path(""), "Access is denied", "Access denied"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path);
        const std::string prefix = "Cannot open file \"" + c.Path + "\". ";
        ExpectErrorAmong([&] { ReadWholeFile(c.Path); },
                         {prefix + c.WindowsReason, prefix + c.WineReason});
    }
}
#endif

}  // namespace
}  // namespace velquist
