#include "synthetic_report.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace velquist {
namespace {

// SplitMix64: tiny, fast and the same on every platform (the standard
// distributions are not), so a seed always gives the same report.
class TRandom {
  public:
    explicit TRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }  // [0, 1)
    int Below(int bound) { return static_cast<int>(Uniform() * bound); }
    // Roughly normal: the sum of four uniforms, centred and scaled.
    double Normal(double mean, double spread) {
        const double sum = Uniform() + Uniform() + Uniform() + Uniform();
        return mean + (sum - 2.0) * spread * 1.7320508;
    }

  private:
    std::uint64_t state_;
};

double Round(double value, double unit) { return std::round(value / unit) * unit; }

struct TOpenOrder {
    std::int32_t Order;
    bool IsBuy;
    double Size, Price, StopLoss, TakeProfit;
};

class TGenerator {
  public:
    TGenerator(std::uint32_t seed, int count, const TSyntheticOptions& options)
        : random_(0x5EED0000ULL ^ (static_cast<std::uint64_t>(seed) << 20) ^ seed),
          count_(count),
          options_(options),
          startDay_(DaysFromCivil(options.StartYear, options.StartMonth, options.StartDay)),
          spanMinutes_(std::max(1, options.SpanDays) * 1440LL),
          meanStep_(static_cast<double>(spanMinutes_) / std::max(1, count)),
          balance_(options.InitialDeposit) {}

    void Fill(TOperationList& rows) {
        rows.Reserve(static_cast<std::size_t>(std::max(0, count_)));
        while (rows.Count() < count_) NextEvent(rows);
    }

    TDateTime EndTime() const { return TimeOf(spanMinutes_ - 1); }

  private:
    // Rows left beyond the closes that the open orders still need decide what
    // may come: an opening takes two of them, a modification one, a close none.
    // With one spare row left, a modification uses it, so that no order stays
    // open (only a report of a single row holds a lone opening).
    void NextEvent(TOperationList& rows) {
        AdvanceTime();
        const std::size_t spare = static_cast<std::size_t>(count_ - rows.Count()) - open_.size();
        const bool canOpen =
            spare >= 2 && open_.size() < static_cast<std::size_t>(options_.MaxOpenOrders);
        const double choice = random_.Uniform();
        if (open_.empty() || (canOpen && choice < 0.45))
            Open(rows);
        else if (spare == 1 || (spare > 0 && choice < 0.55))
            Modify(rows);
        else
            Close(rows, spare == 0);
    }

    // Times move on by whole minutes; about one event in eight shares the
    // previous minute, as when an order closes and the next one opens.
    void AdvanceTime() {
        if (random_.Uniform() >= 0.125)
            minute_ += static_cast<std::int64_t>(random_.Uniform() * 2 * meanStep_);
        minute_ = std::min(minute_, spanMinutes_ - 1);
        price_ = Round(std::max(0.5, price_ + random_.Normal(0, 0.0004)), 0.00001);
    }

    TDateTime TimeOf(std::int64_t minute) const {
        TDateTimeParts parts = DecodeDateTime(static_cast<double>(startDay_ + minute / 1440));
        parts.Hour = static_cast<int>(minute % 1440 / 60);
        parts.Minute = static_cast<int>(minute % 60);
        return *EncodeDateTime(parts);
    }

    TOperation Row(const TOpenOrder& order, const char* type) const {
        TOperation row;
        row.Time = TimeOf(minute_);
        row.OpType = type;
        row.Order = order.Order;
        row.Size = order.Size;
        row.Price = price_;
        row.StopLoss = order.StopLoss;
        row.TakeProfit = order.TakeProfit;
        row.Symbol = options_.Symbol;
        return row;
    }

    void Append(TOperationList& rows, TOperation row) {
        row.Num = rows.Count() + 1;
        rows.Add(row);
    }

    void Open(TOperationList& rows) {
        TOpenOrder order{
            ++lastOrder_, random_.Uniform() < 0.5, 0.01 * (1 + random_.Below(100)), price_, 0, 0};
        const double direction = order.IsBuy ? 1 : -1;
        if (random_.Uniform() < 0.7) {
            order.StopLoss = Round(price_ - direction * 0.0050, 0.00001);
            order.TakeProfit = Round(price_ + direction * 0.0100, 0.00001);
        }
        open_.push_back(order);
        Append(rows, Row(order, order.IsBuy ? "buy" : "sell"));
    }

    void Modify(TOperationList& rows) {
        TOpenOrder& order =
            open_[static_cast<std::size_t>(random_.Below(static_cast<int>(open_.size())))];
        const double direction = order.IsBuy ? 1 : -1;
        order.StopLoss = Round(price_ - direction * 0.0030, 0.00001);
        Append(rows, Row(order, "modify"));
    }

    // Orders still open when the rows run out close as the test stops.
    void Close(TOperationList& rows, bool atStop) {
        const auto which = static_cast<std::size_t>(random_.Below(static_cast<int>(open_.size())));
        const TOpenOrder order = open_[which];
        open_.erase(open_.begin() + static_cast<std::ptrdiff_t>(which));
        const double choice = random_.Uniform();
        const char* type = atStop         ? "close at stop"
                           : choice < 0.3 ? "t/p"
                           : choice < 0.6 ? "s/l"
                                          : "close";
        TOperation row = Row(order, type);
        row.Profit = Round(order.Size * random_.Normal(15, 120), 0.01);
        balance_ = Round(balance_ + row.Profit, 0.01);
        row.Balance = balance_;
        row.HasProfit = row.HasBalance = true;
        Append(rows, row);
    }

    TRandom random_;
    int count_;
    const TSyntheticOptions& options_;
    std::int64_t startDay_;
    std::int64_t spanMinutes_;
    double meanStep_;
    std::int64_t minute_ = 0;
    double price_ = 1.1;
    double balance_;
    std::int32_t lastOrder_ = 0;
    std::vector<TOpenOrder> open_;
};

std::string DateText(TDateTime time) { return FormatDateTimeText(time).substr(0, 10); }

void FillHeader(TMT4TestReport& report, const TSyntheticOptions& options, TDateTime end) {
    const auto start = static_cast<TDateTime>(
        DaysFromCivil(options.StartYear, options.StartMonth, options.StartDay));
    report.ExpertName = "Synthetic Trend Follower";
    report.Server = "Synthetic-Demo";
    report.Version = "Build 1420";
    report.Symbol = options.SymbolDescription.empty()
                        ? options.Symbol
                        : options.Symbol + " (" + options.SymbolDescription + ")";
    report.Period = options.Timeframe + " " + FormatDateTimeText(start) + " - " +
                    FormatDateTimeText(end) + " (" + DateText(start) + " - " + DateText(end) + ")";
    report.Model = "Every tick (the most precise method based on all available least timeframes)";
    report.Parameters = "Lots=0.10; StopLoss=50; TakeProfit=100; ";
    report.BarsInTest = options.SpanDays * 96;
    report.TicksModelled = options.SpanDays * 96 * 40;
    report.ModellingQuality = 90;
    report.MismatchedChartsErrors = 0;
    report.InitialDeposit = options.InitialDeposit;
}

}  // namespace

TMT4TestReport MakeSyntheticReport(std::uint32_t seed, int operationCount,
                                   const TSyntheticOptions& options) {
    TMT4TestReport report;
    TGenerator generator(seed, operationCount, options);
    generator.Fill(report.Operations);
    FillHeader(report, options, generator.EndTime());
    report.ComputeStatistics();
    return report;
}

}  // namespace velquist
