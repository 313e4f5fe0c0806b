#include "base/globals.hpp"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace velquist
