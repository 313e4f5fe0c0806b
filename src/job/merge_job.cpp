#include "job/merge_job.hpp"

namespace velquist {

void MergeJob(const std::vector<std::string>& files, const std::string& resultFileName,
              const std::string& language, TMT4TestReport& reportA, TMT4TestReport& reportB,
              const TMergeJobCallbacks& callbacks) {
    auto refuse = [&](const char* message) {
        if (callbacks.ShowMessage) callbacks.ShowMessage(message);
    };
    auto step = [&](std::string_view name, const std::string& fileName) {
        if (callbacks.OnStep) callbacks.OnStep(name, fileName);
    };
    auto read = [&](TMT4TestReport& report, const std::string& fileName) {
        step("read", fileName);
        report.ReadFromFile(fileName);
        if (callbacks.OnWarning)
            for (const std::string& warning : report.Warnings) callbacks.OnWarning(fileName, warning);
    };
    if (files.size() < 2) return refuse(NoReportsMessage);
    if (resultFileName.empty()) return refuse(NoResultNameMessage);

    read(reportA, files[0]);
    for (std::size_t i = 1; i < files.size(); ++i) {
        read(reportB, files[i]);
        reportA.Merge(reportB);
    }
    reportA.FileName = resultFileName;
    step("write", resultFileName);
    reportA.WriteToFile(resultFileName, language);
    if (callbacks.ChartStep) {
        step("chart", reportA.ImageFileName());
        callbacks.ChartStep(reportA);
    }
}

}  // namespace velquist
