#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QtGlobal>
#include <atomic>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "base/error.hpp"
#include "chart/balance_chart.hpp"
#include "chart/chart_step.hpp"
#include "system/signal_cleanup.hpp"
#include "system/temporary_file.hpp"

namespace velquist {
namespace {

// The command line's Qt application and the runtime folder that outlives it.
struct TApplication {
    std::unique_ptr<TTemporaryFolder> RuntimeFolder;
    std::unique_ptr<QGuiApplication> Application;
};

constexpr const char* CannotStart = "Cannot start Qt to draw the balance chart: ";
std::atomic<bool> started{false};

std::string FirstLine(const QString& text) {
    const std::string whole = text.toStdString();
    return whole.substr(0, whole.find('\n'));
}

// Qt's own notes (a missing runtime folder and the like) would break the
// command line's silence on success. A fatal error, after which Qt would
// abort, ends the program with exit code 1 instead, its temporary files
// removed; nothing is half done then, since the application starts before
// anything is read or written and a page is put in place whole.
void TellCriticalOnly(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg) std::cerr << text.toStdString() << "\n";
    if (type != QtFatalMsg) return;
    std::cerr << (started ? "Qt failed while drawing the balance chart: " : CannotStart)
              << FirstLine(text) << "\n";
    std::cerr.flush();
    RemoveTemporaryFilesNow();
    std::_Exit(1);
}

// Qt ends the program when its platform plugin does not load, and says only
// that it did not; loading the plugin first tells why (too many open files,
// a missing library), as an error. A plugin elsewhere is left to Qt.
void LoadOffscreenPlugin() {
    const QString path =
        QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms/libqoffscreen.so";
    if (!QFileInfo::exists(path)) return;
    QPluginLoader plugin(path);
    // Loaded, it stays so (no unload) for the application to use.
    if (!plugin.load()) throw Error(CannotStart + plugin.errorString().toStdString());
}

std::unique_ptr<QGuiApplication> StartApplication() {
    qInstallMessageHandler(TellCriticalOnly);
    // The command line never shows a window, whatever the environment asks.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    LoadOffscreenPlugin();
    // Qt keeps references to both for the application's life.
    static int argc = 1;
    static char name[] = "velquist";
    static char* argv[] = {name, nullptr};
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    started = true;
    return application;
}

}  // namespace

std::function<std::function<void()>(const TMT4TestReport&)> BalanceChartStep(
    const std::string& tempPath) {
    auto application = std::make_shared<TApplication>();
    if (QCoreApplication::instance() == nullptr) {
        application->RuntimeFolder = ProvideRuntimeFolder(tempPath);
        application->Application = StartApplication();
    }
    return [application, tempPath](const TMT4TestReport& report) {
        return DrawGraphToSave(report, tempPath);
    };
}

}  // namespace velquist
