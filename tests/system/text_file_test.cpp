#include "system/text_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/error.hpp"
#include "base/globals.hpp"
#include "fixtures/expect_error.hpp"
#include "fixtures/temp_dir.hpp"

namespace velquist {
namespace {

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

}  // namespace
}  // namespace velquist
