#include "cli/inspect_json.hpp"

#include <charconv>
#include <cmath>
#include <string_view>

#include "base/json_text.hpp"
#include "model/date_time.hpp"

namespace velquist {
namespace {

class TJsonObject {
  public:
    explicit TJsonObject(std::string& out) : out_(out) { out_ += '{'; }
    ~TJsonObject() { out_ += '}'; }

    void Text(std::string_view name, std::string_view value) {
        Name(name);
        AppendString(value);
    }
    void Number(std::string_view name, double value) {
        Name(name);
        if (!std::isfinite(value)) {
            out_ += "null";
            return;
        }
        char buffer[32];
        out_.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
    }
    void Integer(std::string_view name, long long value) {
        Name(name);
        out_ += std::to_string(value);
    }
    void Texts(std::string_view name, const std::vector<std::string>& values) {
        Name(name);
        out_ += '[';
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i > 0) out_ += ',';
            AppendString(values[i]);
        }
        out_ += ']';
    }
    void Boolean(std::string_view name, bool value) {
        Name(name);
        out_ += value ? "true" : "false";
    }
    void Name(std::string_view name) {
        if (!first_) out_ += ',';
        first_ = false;
        AppendString(name);
        out_ += ':';
    }

  private:
    void AppendString(std::string_view text) { AppendJsonText(out_, text); }

    std::string& out_;
    bool first_ = true;
};

void AppendOperation(std::string& out, const TOperation& op) {
    TJsonObject json(out);
    json.Integer("Num", op.Num);
    json.Number("Time", op.Time);
    json.Text("TimeText", FormatDateTimeText(op.Time));
    json.Text("OpType", op.OpType);
    json.Integer("Order", op.Order);
    json.Number("Size", op.Size);
    json.Number("Price", op.Price);
    json.Number("StopLoss", op.StopLoss);
    json.Number("TakeProfit", op.TakeProfit);
    json.Number("Profit", op.Profit);
    json.Number("Balance", op.Balance);
    json.Text("Symbol", op.Symbol);
    json.Boolean("HasProfit", op.HasProfit);
    json.Boolean("HasBalance", op.HasBalance);
}

void AppendTexts(TJsonObject& json, const TMT4TestReport& r) {
    json.Text("FileName", r.FileName);
    json.Text("ModellingQualityText", r.ModellingQualityText);
    json.Text("MaximalDrawdownText", r.MaximalDrawdownText);
    json.Text("RelativeDrawdownText", r.RelativeDrawdownText);
    json.Text("ShortPositionsText", r.ShortPositionsText);
    json.Text("LongPositionsText", r.LongPositionsText);
    json.Text("ProfitTradesText", r.ProfitTradesText);
    json.Text("LossTradesText", r.LossTradesText);
    json.Text("MaxConsecutiveWinsText", r.MaxConsecutiveWinsText);
    json.Text("MaxConsecutiveLossesText", r.MaxConsecutiveLossesText);
    json.Text("MaximalConsecutiveProfitText", r.MaximalConsecutiveProfitText);
    json.Text("MaximalConsecutiveLossText", r.MaximalConsecutiveLossText);
    json.Text("ExpertName", r.ExpertName);
    json.Text("Server", r.Server);
    json.Text("Version", r.Version);
    json.Text("Symbol", r.Symbol);
    json.Text("Period", r.Period);
    json.Text("Model", r.Model);
    json.Text("Parameters", r.Parameters);
}

void AppendSummary(TJsonObject& json, const TMT4TestReport& r) {
    json.Integer("BarsInTest", r.BarsInTest);
    json.Integer("TicksModelled", r.TicksModelled);
    json.Number("ModellingQuality", r.ModellingQuality);
    json.Integer("MismatchedChartsErrors", r.MismatchedChartsErrors);
    json.Number("InitialDeposit", r.InitialDeposit);
    json.Number("TotalNetProfit", r.TotalNetProfit);
    json.Number("GrossProfit", r.GrossProfit);
    json.Number("GrossLoss", r.GrossLoss);
    json.Number("ProfitFactor", r.ProfitFactor);
    json.Number("ExpectedPayoff", r.ExpectedPayoff);
    json.Number("AbsoluteDrawdown", r.AbsoluteDrawdown);
    json.Number("MaximalDrawdown", r.MaximalDrawdown);
    json.Number("MaximalDrawdownPercent", r.MaximalDrawdownPercent);
    json.Number("RelativeDrawdown", r.RelativeDrawdown);
    json.Number("RelativeDrawdownPercent", r.RelativeDrawdownPercent);
    json.Integer("TotalTrades", r.TotalTrades);
    json.Integer("ShortPositions", r.ShortPositions);
    json.Number("ShortWonPercent", r.ShortWonPercent);
    json.Integer("LongPositions", r.LongPositions);
    json.Number("LongWonPercent", r.LongWonPercent);
    json.Integer("ProfitTrades", r.ProfitTrades);
    json.Number("ProfitTradesPercent", r.ProfitTradesPercent);
    json.Integer("LossTrades", r.LossTrades);
    json.Number("LossTradesPercent", r.LossTradesPercent);
    json.Number("LargestProfitTrade", r.LargestProfitTrade);
    json.Number("LargestLossTrade", r.LargestLossTrade);
    json.Number("AverageProfitTrade", r.AverageProfitTrade);
    json.Number("AverageLossTrade", r.AverageLossTrade);
}

void AppendRuns(TJsonObject& json, const TMT4TestReport& r) {
    json.Integer("MaxConsecutiveWins", r.MaxConsecutiveWins);
    json.Number("MaxConsecutiveWinsMoney", r.MaxConsecutiveWinsMoney);
    json.Integer("MaxConsecutiveLosses", r.MaxConsecutiveLosses);
    json.Number("MaxConsecutiveLossesMoney", r.MaxConsecutiveLossesMoney);
    json.Number("MaximalConsecutiveProfit", r.MaximalConsecutiveProfit);
    json.Integer("MaximalConsecutiveProfitCount", r.MaximalConsecutiveProfitCount);
    json.Number("MaximalConsecutiveLoss", r.MaximalConsecutiveLoss);
    json.Integer("MaximalConsecutiveLossCount", r.MaximalConsecutiveLossCount);
    json.Integer("AverageConsecutiveWins", r.AverageConsecutiveWins);
    json.Integer("AverageConsecutiveLosses", r.AverageConsecutiveLosses);
}

}  // namespace

std::string ReportToJson(const TMT4TestReport& report) {
    std::string out;
    out.reserve(4096 + static_cast<std::size_t>(report.Operations.Count()) * 320);
    {
        TJsonObject json(out);
        AppendTexts(json, report);
        AppendSummary(json, report);
        AppendRuns(json, report);
        json.Name("Operations");
        out += '[';
        bool first = true;
        for (const TOperation& operation : report.Operations) {
            if (!first) out += ',';
            first = false;
            AppendOperation(out, operation);
        }
        out += ']';
        json.Boolean("WriteSymbol", report.WriteSymbol);
        json.Texts("Warnings", report.Warnings);
        json.Name("Labels");
        TJsonObject labels(out);
        for (const auto& [key, text] : report.Labels) labels.Text(key, text);
    }
    out += '\n';
    return out;
}

}  // namespace velquist
