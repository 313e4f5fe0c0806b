#include "reader/cell_text.hpp"

#include <gtest/gtest.h>

#include "model/date_time.hpp"
#include "model/operation.hpp"

namespace velquist {
namespace {

TEST(CellText, EndsCellsWithSemicolonAndRowsWithLineBreak) {
    EXPECT_EQ(CellText("<tr><td>a</td><td>b</td></tr>"), "a;b;\r\n");
    EXPECT_EQ(CellText("<TR ALIGN=left><TD>a</TD></TR>"), "a;\r\n");
    EXPECT_EQ(CellText("<td colspan=2></td>"), ";");
}

TEST(CellText, DropsLineFeedsAndOtherTagsButKeepsCarriageReturnsAndEntities) {
    EXPECT_EQ(CellText("<div><b>x</b></div>\r\ny &amp; z"), "x\ry &amp; z");
    EXPECT_EQ(CellText("a\nb"), "ab");
    EXPECT_EQ(CellText("a > b"), "a  b");  // a stray ">" appends nothing
    EXPECT_EQ(CellText("<b\n>c"), "c");
}

TEST(CellText, TestsTagTextsAsSubstringsTdBeforeTr) {
    // "td" anywhere in the tag text decides, even inside an attribute.
    EXPECT_EQ(CellText("<span class=\"std\">x</span class=\"a/td\">"), "x;");
    EXPECT_EQ(CellText("<a href=\"/tr\">x"), "\r\nx");
    EXPECT_EQ(CellText("<a <td>x</td>"), "x;");  // "<" restarts the tag text
    // Line feeds inside a tag are left out of its text.
    EXPECT_EQ(CellText("<t\nd>x</\nt\nd><\n/\ntr>"), "x;\r\n");
    // Words anywhere in long tags, on both sides of every 16-byte boundary.
    for (std::size_t pad = 0; pad < 40; ++pad) {
        const std::string filler(pad, 'a');
        EXPECT_EQ(CellText("<x " + filler + "/TD>y"), ";y") << pad;
        EXPECT_EQ(CellText("<x " + filler + "/tR" + filler + ">y"), "\r\ny") << pad;
        if (pad > 0) {
            EXPECT_EQ(CellText("<x " + filler + "/t" + filler + "d>y"), "y") << pad;
        }
    }
}

TEST(SplitLines, KnowsWhichLinesEndATableRow) {
    const auto lines = SplitLines("a;\r\n\rb\nc");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].Text, "a;");
    EXPECT_TRUE(lines[0].EndsRow);
    EXPECT_EQ(lines[1].Text, "");
    EXPECT_FALSE(lines[1].EndsRow);
    EXPECT_EQ(lines[2].Text, "b");
    EXPECT_EQ(lines[3].Text, "c");
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitLines("x\r\n").size(), 1u);
}

TEST(ParseRow, ReadsTheTenCellsOfAnOperation) {
    TOperation op;
    ASSERT_TRUE(
        op.ParseRow("4;2020.01.03 09:15;s/l;2;0.10;1.11950;1.11950;0.00000;-15.00;10035.00;"));
    EXPECT_EQ(op.Num, 4);
    EXPECT_EQ(FormatDateTimeText(op.Time), "2020.01.03 09:15");
    EXPECT_EQ(op.OpType, "s/l");
    EXPECT_EQ(op.Order, 2);
    EXPECT_DOUBLE_EQ(op.Size, 0.1);
    EXPECT_DOUBLE_EQ(op.Price, 1.1195);
    EXPECT_DOUBLE_EQ(op.StopLoss, 1.1195);
    EXPECT_DOUBLE_EQ(op.TakeProfit, 0);
    EXPECT_TRUE(op.HasProfit);
    EXPECT_TRUE(op.HasBalance);
    EXPECT_DOUBLE_EQ(op.Profit, -15);
    EXPECT_DOUBLE_EQ(op.Balance, 10035);
}

TEST(ParseRow, DecidesProfitAndBalanceCellsIndependently) {
    TOperation op;
    ASSERT_TRUE(op.ParseRow("1;2020.01.02 10:00;buy;1;0.10;1.12;0;1.125;;"));
    EXPECT_FALSE(op.HasProfit);
    EXPECT_FALSE(op.HasBalance);
    op.Profit = 5;  // a reused scratch row starts clean
    ASSERT_TRUE(op.ParseRow("2;2020.01.02 10:00;close;1;1;1;1;1;n/a"));
    EXPECT_TRUE(op.HasProfit);
    EXPECT_EQ(op.Profit, 0);
    EXPECT_FALSE(op.HasBalance);
    ASSERT_TRUE(op.ParseRow("3;2020.01.02 10:00;close;1;1;1;1;1;;7"));
    EXPECT_FALSE(op.HasProfit);
    EXPECT_TRUE(op.HasBalance);
    EXPECT_EQ(op.Balance, 7);
}

TEST(ParseRow, AcceptsALineExactlyWhenItsSecondFieldIsADateTime) {
    struct Case {
        const char* line;
        bool isOperation;
    };
    const Case cases[] = {
        {"1;2020.01.02;buy", true},
        {"1;2020.01.02 10:00:59;buy", true},
        {"x;2020.1.2 1:05;buy", true},
        {"1; 2020.01.02 10:00 ;buy", true},
        {"#;Time;Type;Order", false},
        {"1;2020.02.30 10:00;buy", false},
        {"1;2020.01.02 24:00;buy", false},
        {"1;2020.01.02 10:60;buy", false},
        {"1;2020-01-02 10:00;buy", false},
        {"1;2020.01.02 10;buy", false},
        {"1;2020.01.02 10:00 PM;buy", false},
        {"1", false},
        {"", false},
    };
    for (const Case& c : cases) {
        TOperation op;
        EXPECT_EQ(op.ParseRow(c.line), c.isOperation) << c.line;
    }
}

}  // namespace
}  // namespace velquist
