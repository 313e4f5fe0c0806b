// The window's file dialogs and message boxes behind one small interface, so
// that tests answer them in advance. TQtDialogs shows the real ones. Nothing
// here decides what a command does with the answers; the window does.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

#include "base/application_title.hpp"

class QDialog;
class QFileDialog;
class QWidget;

namespace velquist {

// The filters of both file dialogs, "HTML Files" first.
const QStringList& ReportFileFilters();

struct TSaveChoice {
    QString FileName;     // full path as the user chose or typed it
    int FilterIndex = 0;  // position of the chosen filter in the dialog's filter list
};

class TDialogs {
  public:
    virtual ~TDialogs() = default;
    // Initial folder (with its trailing separator) and filters of both file dialogs.
    virtual void SetUpFileDialogs(const QString& initialFolder, const QStringList& filters) = 0;
    // The file-open dialog, several files at once: the chosen full paths in the
    // dialog's order, or nothing when cancelled.
    virtual std::optional<QStringList> OpenReports() = 0;
    // The file-save dialog, opened with an empty file name: nothing when cancelled.
    virtual std::optional<TSaveChoice> SaveResult() = 0;
    // A Yes/No box titled "Confirm" with a question icon: true on Yes.
    virtual bool ConfirmDelete(const QString& question) = 0;
    // A plain message box under the application's title.
    virtual void ShowMessage(const QString& text) = 0;
    // The error box: the application's title, an error icon and OK.
    virtual void ShowError(const QString& text) = 0;
    // A message box under the application's title with a warning icon and OK.
    virtual void ShowWarning(const QString& text) = 0;
    // Asks the system to open the address in the default browser; the outcome
    // is not looked at.
    virtual void OpenUrl(const QUrl& address) = 0;
};

class TQtDialogs : public TDialogs {
  public:
    // The dialogs become children of parent and show over it.
    explicit TQtDialogs(QWidget* parent);

    void SetUpFileDialogs(const QString& initialFolder, const QStringList& filters) override;
    std::optional<QStringList> OpenReports() override;
    std::optional<TSaveChoice> SaveResult() override;
    bool ConfirmDelete(const QString& question) override;
    void ShowMessage(const QString& text) override;
    void ShowError(const QString& text) override;
    void ShowWarning(const QString& text) override;
    void OpenUrl(const QUrl& address) override;

  protected:
    // Shows a configured dialog modally and returns its result code; tests
    // override it to look at the real dialog and answer it without showing it.
    virtual int Exec(QDialog& dialog);

  private:
    void ShowBox(QMessageBox::Icon icon, const QString& text);

    QWidget* parent_;
    QFileDialog* openDialog_;  // kept, so that it reopens where the user left it
    QStringList filters_;
    QString saveFolder_;
    QString lastOpened_;
};

}  // namespace velquist
