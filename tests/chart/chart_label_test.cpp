// The chart's value labels: "#,##0.###" in the locale's separators.
#include <gtest/gtest.h>

#include "chart/chart_render_qt.hpp"

namespace velquist {
namespace {

TEST(ChartLabels, GroupDigitsAndShowAtMostThreeDecimalsInTheLocalesSeparators) {
    struct TCase {
        QLocale Locale;
        double Value;
        QString Text;
    };
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale swiss(QLocale::German, QLocale::Switzerland);
    const TCase cases[] = {
        {english, 12160, "12,160"},
        {english, 1234567.5, "1,234,567.5"},
        {english, 0.1 + 0.2, "0.3"},
        {english, 1.25, "1.25"},
        {english, 1.0004, "1"},
        {english, 1.0006, "1.001"},
        {english, -8715.3564, "-8,715.356"},
        {english, 0, "0"},
        {english, -0.0001, "0"},
        {english, 999, "999"},
        {english, 1e15, "1,000,000,000,000,000"},
        {german, 1234567.5, "1.234.567,5"},
        {german, -0.25, "-0,25"},
        {german, 12000, "12.000"},
        {swiss, 1234567.5, QString::fromUtf8("1\u2019234\u2019567.5")},
        // The C locale leaves out grouping unless asked: the pattern asks.
        {QLocale::c(), 12160.5, "12,160.5"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Locale.name().toStdString() + " " + std::to_string(c.Value));
        EXPECT_EQ(FormatChartLabel(c.Value, c.Locale).toStdString(), c.Text.toStdString());
    }
}

}  // namespace
}  // namespace velquist
