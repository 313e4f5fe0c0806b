#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli.hpp"
#include "reader/signal_cleanup.hpp"

#ifdef VELQUIST_WITH_CHART
#include <QGuiApplication>
#include <QtGlobal>

#include "output/balance_chart.hpp"
#include "reader/globals.hpp"
#include "reader/temporary_file.hpp"
#endif

int main(int argc, char** argv) {
    velquist::RemoveTemporaryFilesOnSignals();
    const std::vector<std::string> args(argv + 1, argv + argc);
    velquist::TChartStep chartStep;
#ifdef VELQUIST_WITH_CHART
    // The chart draws with Qt Gui, which needs an application object; it is
    // made only when a merge gets that far, on the offscreen platform unless
    // the user chose another. The runtime folder outlives the application.
    std::unique_ptr<velquist::TTemporaryFolder> runtimeFolder;
    std::unique_ptr<QGuiApplication> application;
    const std::string tempPath = velquist::GetTempDir();
    chartStep = [&](const velquist::TMT4TestReport& report) {
        if (!application) {
            // Qt's own notes (a missing runtime folder and the like) would
            // break the command line's silence on success.
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
                if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << text.toStdString() << "\n";
            });
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
            runtimeFolder = velquist::ProvideRuntimeFolder(tempPath);
            application = std::make_unique<QGuiApplication>(argc, argv);
        }
        velquist::CreateGraph(report, tempPath);
    };
#endif
    return velquist::RunCli(args, std::cout, std::cerr, chartStep);
}
