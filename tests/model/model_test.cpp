#include <gtest/gtest.h>

#include "base/error.hpp"
#include "fixtures/expect_error.hpp"
#include "languages/phrase_table.hpp"
#include "model/date_time.hpp"
#include "model/report.hpp"

namespace velquist {
namespace {

TDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return *EncodeDateTime({y, mo, d, h, mi, s, ms});
}

TEST(DateTime, CountsDaysFrom30December1899) {
    EXPECT_EQ(At(1899, 12, 30), 0);
    EXPECT_EQ(At(1970, 1, 1), UnixDateDelta);
    EXPECT_EQ(At(2010, 3, 5, 12), 40242.5);
    EXPECT_EQ(At(1899, 12, 29, 6), -1.25);  // time counts away from zero before day 0
    EXPECT_FALSE(EncodeDateTime({2021, 2, 29, 0, 0, 0, 0}));
    EXPECT_FALSE(EncodeDateTime({2020, 1, 1, 24, 0, 0, 0}));
}

TEST(DateTime, DecodesWhatItEncodes) {
    for (TDateTime value : {At(2010, 3, 5, 14, 30, 59), At(1600, 2, 29, 23, 59, 59, 999),
                            At(1899, 12, 29, 6, 15), At(9999, 12, 31, 23, 59)}) {
        const TDateTimeParts p = DecodeDateTime(value);
        EXPECT_EQ(*EncodeDateTime(p), value);
    }
}

TEST(FormatOperationTime, ShowsHoursAndMinutesButNeverSeconds) {
    struct Case {
        TDateTime value;
        const char* text;
    };
    const Case cases[] = {
        {At(2010, 3, 5), "2010.03.05 00:00"},  // exact midnight
        {At(2010, 3, 5, 14, 30, 59), "2010.03.05 14:30"},
        {At(2010, 3, 5, 0, 0, 1), "2010.03.05 00:00"},
        {At(2010, 3, 5) + 0.4 / 86400000.0, "2010.03.05"},  // below half a millisecond
        {At(2010, 3, 5, 0, 0, 0, 5), "2010.03.05"},         // only milliseconds
        {At(2010, 3, 5, 23, 59, 59, 999) + 0.6 / 86400000.0, "2010.03.06"},
        {At(1970, 1, 1, 9, 5), "1970.01.01 09:05"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatOperationTime(c.value), c.text);
}

TEST(ParseReportDateTime, ReadsTheReportFormatOnly) {
    EXPECT_EQ(ParseReportDateTime("2010.03.05 14:30"), At(2010, 3, 5, 14, 30));
    EXPECT_EQ(ParseReportDateTime("2010.03.05 14:30:59"), At(2010, 3, 5, 14, 30, 59));
    EXPECT_EQ(ParseReportDateTime("2010.03.05"), At(2010, 3, 5));
    EXPECT_FALSE(ParseReportDateTime("2010.03.05 14:30:"));
    EXPECT_FALSE(ParseReportDateTime("2010.03.0514:30"));
    EXPECT_FALSE(ParseReportDateTime("05.03.2010"));  // day 2010 does not exist
    EXPECT_FALSE(ParseReportDateTime("0.01.01"));
    // Century years are leap years only when divisible by 400.
    EXPECT_EQ(ParseReportDateTime("2000.02.29 10:00"), At(2000, 2, 29, 10, 0));
    EXPECT_FALSE(ParseReportDateTime("1900.02.29 10:00"));
    EXPECT_FALSE(ParseReportDateTime("2100.02.29 10:00"));
}

TEST(Report, StartsEmptyWithWriteSymbolOn) {
    const TMT4TestReport r;
    EXPECT_TRUE(r.WriteSymbol);
    EXPECT_EQ(r.Operations.Count(), 0);
    EXPECT_EQ(r.InitialDeposit, 0);
    EXPECT_EQ(r.TotalTrades, 0);
    EXPECT_EQ(r.Symbol, "");
}

TEST(Report, ImageFileNameReplacesOnlyTheLastExtensionOfTheFileName) {
    struct Case {
        const char* fileName;
        const char* image;
    };
    const Case cases[] = {
        {"/out/merged.htm", "/out/merged.gif"},
        {"/out/merged", "/out/merged.gif"},
        {"/out/a.b.htm", "/out/a.b.gif"},
        {"/my.folder/merged", "/my.folder/merged.gif"},
        {"merged.", "merged.gif"},
        {"", ".gif"},
    };
    for (const Case& c : cases) {
        TMT4TestReport r;
        r.FileName = c.fileName;
        EXPECT_EQ(r.ImageFileName(), c.image);
    }
}

TEST(OperationList, AddStoresACopy) {
    TOperationList list;
    TOperation op;
    op.OpType = "buy";
    op.Order = 7;
    list.Add(op);
    op.OpType = "sell";
    op.Order = 8;
    EXPECT_EQ(list.Items(0).OpType, "buy");
    EXPECT_EQ(list.Items(0).Order, 7);
}

TEST(OperationList, RaisesTheListIndexErrorOutsideItsItems) {
    TOperationList list;
    list.Add(TOperation());
    EXPECT_THROW_MSG(list.Items(1), EListError, "List index out of bounds (1)");
    EXPECT_THROW(list.Items(-1), EListError);
}

TEST(OperationList, BuildsThePhraseTableOnce) {
    TOperationList first;
    const TLngPhraseList* table = &PhraseTable();
    TOperationList second;
    EXPECT_EQ(&PhraseTable(), table);
    EXPECT_EQ(PhraseTable().Count(), 48);
}

}  // namespace
}  // namespace velquist
