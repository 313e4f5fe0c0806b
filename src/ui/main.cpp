// The program's entry: the application, its one window and the message loop;
// closing the window ends the program.
#include <QApplication>

#include "ui/main_form.hpp"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    velquist::TMainForm mainForm;
    mainForm.show();
    return application.exec();
}
