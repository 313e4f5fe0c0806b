// The program's entry: the application, its one window and the message loop;
// closing the window ends the program.
#include <QApplication>

#include "base/version.hpp"
#include "system/signal_cleanup.hpp"
#include "system/temporary_file.hpp"
#include "ui/main_form.hpp"

int main(int argc, char* argv[]) {
    // Ctrl-C or SIGTERM during a merge removes its temporary files.
    velquist::RemoveTemporaryFilesOnSignals();
    const auto runtimeFolder = velquist::ProvideRuntimeFolder(velquist::GetTempDir());
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(velquist::VelquistVersion);
    velquist::TMainForm mainForm;
    mainForm.show();
    return application.exec();
}
