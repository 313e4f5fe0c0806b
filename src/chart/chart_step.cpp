#include "chart/chart_step.hpp"

#include <QGuiApplication>
#include <QtGlobal>
#include <iostream>
#include <memory>

#include "base/temporary_file.hpp"
#include "chart/balance_chart.hpp"

namespace velquist {
namespace {

// The command line's Qt application and the runtime folder that outlives it.
struct TApplication {
    std::unique_ptr<TTemporaryFolder> RuntimeFolder;
    std::unique_ptr<QGuiApplication> Application;
};

std::unique_ptr<QGuiApplication> StartApplication() {
    // Qt's own notes (a missing runtime folder and the like) would break the
    // command line's silence on success.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << text.toStdString() << "\n";
    });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps references to both for the application's life.
    static int argc = 1;
    static char name[] = "velquist";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

std::function<std::function<void()>(const TMT4TestReport&)> BalanceChartStep(
    const std::string& tempPath) {
    auto application = std::make_shared<TApplication>();
    return [application, tempPath](const TMT4TestReport& report) {
        if (QCoreApplication::instance() == nullptr) {
            application->RuntimeFolder = ProvideRuntimeFolder(tempPath);
            application->Application = StartApplication();
        }
        return DrawGraphToSave(report, tempPath);
    };
}

}  // namespace velquist
