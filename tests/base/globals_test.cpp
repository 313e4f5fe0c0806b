#include "base/globals.hpp"

#include <gtest/gtest.h>

#include "base/error.hpp"
#include "fixtures/expect_error.hpp"
#include "fixtures/temp_dir.hpp"
#include "reader/numbers.hpp"

namespace velquist {
namespace {

TEST(ExtractField, CountsFromOneAndRunsTheLastFieldToTheEnd) {
    EXPECT_EQ(ExtractField("a;b;c", 1, ';'), "a");
    EXPECT_EQ(ExtractField("a;b;c", 3, ';'), "c");
    EXPECT_EQ(ExtractField("a;b;c", 4, ';'), "");
    EXPECT_EQ(ExtractField("a;b;c", 0, ';'), "a;b;c");
    EXPECT_EQ(ExtractField("a;b;c", -1, ';'), "a;b;c");
    EXPECT_EQ(ExtractField("a;;c;", 2, ';'), "");
    EXPECT_EQ(ExtractField("a;;c;", 4, ';'), "");
    EXPECT_EQ(ExtractField(" a ;b", 1, ';'), " a ");
}

TEST(CountFields, IsZeroForEmptyTextElseSeparatorsPlusOne) {
    EXPECT_EQ(CountFields("", ';'), 0);
    EXPECT_EQ(CountFields("x", ';'), 1);
    EXPECT_EQ(CountFields(";", ';'), 2);
    EXPECT_EQ(CountFields("a;b;c;", ';'), 4);
}

TEST(Parentheses, FollowTheFirstOpeningAndClosingBracket) {
    struct Case {
        const char* text;
        const char* inside;
        const char* without;
    };
    const Case cases[] = {
        {"7566.78 (71.34%)", "71.34%", "7566.78"},
        {"71.34% (7566.78)", "7566.78", "71.34%"},
        {"  12  ", "  12  ", "12"},  // no brackets: inside unchanged
        {"a ( b ) c (d)", "b", "a  c (d)"},
        {") before (", "", ") before ("},  // ")" first
        {"open ( only", "open ( only", "open ( only"},
        {"EURUSD (Euro vs US Dollar)", "Euro vs US Dollar", "EURUSD"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextInParentheses(c.text), c.inside) << c.text;
        EXPECT_EQ(TextWithoutParentheses(c.text), c.without) << c.text;
    }
}

TEST(StripPercent, RemovesEveryPercentSignAndTrims) {
    EXPECT_EQ(StripPercent(" 90.00% "), "90.00");
    EXPECT_EQ(StripPercent("%1%2%"), "12");
    EXPECT_EQ(StripPercent("n/a"), "n/a");
}

TEST(Trim, RemovesControlCharactersAndBlanksOnly) {
    EXPECT_EQ(Trim("\t\r x y \x01"), "x y");
    EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");  // 0xA0 is above 32
    EXPECT_EQ(Trim("   "), "");
}

TEST(NormalizeLineBreaks, EndsEveryLineWithCrLf) {
    EXPECT_EQ(NormalizeLineBreaks("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(NormalizeLineBreaks("a\r\n"), "a\r\n");
    EXPECT_EQ(NormalizeLineBreaks("\n\n"), "\r\n\r\n");
    EXPECT_EQ(NormalizeLineBreaks("\r\r\n"), "\r\n\r\n");
    EXPECT_EQ(NormalizeLineBreaks(""), "");
}

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

TEST(ParseNumber, ReadsDecimalNumbersAndGivesZeroForAnythingElse) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"10000.00", 10000.0},
        {"-8623.04", -8623.04},
        {" 1.5 ", 1.5},
        {"+2", 2.0},
        {"1e3", 1000.0},
        {"2.5E-1", 0.25},
        {".5", 0.5},
        {"5.", 5.0},
        {"", 0},
        {"n/a", 0},
        {"1,5", 0},
        {"1 000", 0},
        {"12%", 0},
        {"abc", 0},
        {"inf", 0},
        {"nan", 0},
        {"1e", 0},
        {"-", 0},
        {"1e999", 0},
        {"0x10", 0},
        {"1.2.3", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseNumber(c.text), c.value) << c.text;
}

TEST(ParseInteger, AcceptsLeadingBlanksAndSignOnly) {
    struct Case {
        const char* text;
        std::int32_t value;
    };
    const Case cases[] = {
        {"2107", 2107},
        {"  -5", -5},
        {"+7", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", 0},
        {"99999999999999999999", 0},
        {"12 ", 0},
        {"1.0", 0},
        {"5%", 0},
        {"", 0},
        {"-", 0},
        {"x1", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseInteger(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace velquist
