// The report layout, taken from real reports of builds 402 to 1473 in eight
// languages: every one of them has these rows in this order, with a parameter
// row or without, and with the spread pair in the deposit row from build 1090
// on.
#include "languages/report_layout.hpp"

namespace velquist {
namespace {

using enum TCellShape;

constexpr TLayoutCell L(std::string_view key) { return {Label, key}; }
constexpr TLayoutCell V(TCellShape shape) { return {shape, {}}; }

// A header row: its label and one cell of text.
constexpr TLayoutRow Header(std::string_view key) { return {2, false, {L(key), V(Text)}}; }

// clang-format off
constexpr std::array<TLayoutRow, 17> Rows = {{
    Header("Symbol"),
    Header("Period"),
    Header("Model"),
    {0, true, {L("Parameters"), V(Text)}},
    {6, false, {L("Bars in test"), V(Integer), L("Ticks modelled"), V(Integer),
                L("Modelling quality"), V(Percent)}},
    {6, false, {L("Mismatched charts errors"), V(Integer), V(Empty), V(Empty), V(Empty),
                V(Empty)}},
    {6, false, {L("Initial deposit"), V(Number), V(Empty), V(Empty), V(Any), V(Any)}},
    {6, false, {L("Total net profit"), V(Number), L("Gross profit"), V(Number),
                L("Gross loss"), V(Number)}},
    {6, false, {L("Profit factor"), V(Number), L("Expected payoff"), V(Number), V(Empty),
                V(Empty)}},
    {6, false, {L("Absolute drawdown"), V(Number), L("Maximal drawdown"), V(NumberPercent),
                L("Relative drawdown"), V(PercentNumber)}},
    {6, false, {L("Total trades"), V(Integer), L("Short positions (won %)"),
                V(IntegerPercent), L("Long positions (won %)"), V(IntegerPercent)}},
    {5, false, {V(Empty), L("Profit trades (% of total)"), V(IntegerPercent),
                L("Loss trades (% of total)"), V(IntegerPercent)}},
    {5, false, {L("Largest"), L("profit trade"), V(Number), L("loss trade"), V(Number)}},
    {5, false, {L("Average"), L("profit trade"), V(Number), L("loss trade"), V(Number)}},
    {5, false, {L("Maximum"), L("consecutive wins (profit in money)"), V(IntegerNumber),
                L("consecutive losses (loss in money)"), V(IntegerNumber)}},
    {5, false, {L("Maximal"), L("consecutive profit (count of wins)"), V(NumberInteger),
                L("consecutive loss (count of losses)"), V(NumberInteger)}},
    {5, false, {L("Average_"), L("consecutive wins"), V(Integer), L("consecutive losses"),
                V(Integer)}},
}};

constexpr std::array<std::string_view, 11> HeaderWithSymbol = {
    "num", "Time", "Type", "Symbol", "Order", "Size", "Price", "S / L", "T / P", "Profit",
    "Balance"};
constexpr std::array<std::string_view, 10> HeaderWithoutSymbol = {
    "num", "Time", "Type", "Order", "Size", "Price", "S / L", "T / P", "Profit", "Balance"};
// clang-format on

}  // namespace

std::span<const TLayoutRow> ReportLayout() { return Rows; }

std::span<const std::string_view> OperationsHeaderKeys(bool withSymbolColumn) {
    if (withSymbolColumn) return HeaderWithSymbol;
    return HeaderWithoutSymbol;
}

}  // namespace velquist
