#include "ui/dialogs.hpp"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace velquist {

const QStringList& ReportFileFilters() {
    // "*.*" would hide files without an extension here, and Windows lets
    // "*.htm" match ".html" too: both are spelled out.
    static const QStringList filters{"HTML Files (*.htm *.html)", "All Files (*)"};
    return filters;
}

TQtDialogs::TQtDialogs(QWidget* parent) : parent_(parent), openDialog_(new QFileDialog(parent)) {
    openDialog_->setObjectName("OpenDialog1");
    openDialog_->setAcceptMode(QFileDialog::AcceptOpen);
    openDialog_->setFileMode(QFileDialog::ExistingFiles);
}

void TQtDialogs::SetUpFileDialogs(const QString& initialFolder, const QStringList& filters) {
    filters_ = filters;
    saveFolder_ = initialFolder;
    openDialog_->setDirectory(initialFolder);
    openDialog_->setNameFilters(filters);
}

std::optional<QStringList> TQtDialogs::OpenReports() {
    // The dialog reopens on the first file of the previous choice.
    if (!lastOpened_.isEmpty()) openDialog_->selectFile(lastOpened_);
    if (Exec(*openDialog_) != QDialog::Accepted) return std::nullopt;
    const QStringList files = openDialog_->selectedFiles();
    if (!files.isEmpty()) lastOpened_ = files.first();
    return files;
}

std::optional<TSaveChoice> TQtDialogs::SaveResult() {
    // A fresh dialog each time, so that it always opens with an empty file name.
    QFileDialog dialog(parent_);
    dialog.setObjectName("SaveDialog1");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(saveFolder_);
    dialog.setNameFilters(filters_);
    if (Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    TSaveChoice choice{dialog.selectedFiles().first(),
                       static_cast<int>(filters_.indexOf(dialog.selectedNameFilter()))};
    saveFolder_ = QFileInfo(choice.FileName).absolutePath();
    return choice;
}

bool TQtDialogs::ConfirmDelete(const QString& question) {
    QMessageBox box(QMessageBox::Question, "Confirm", question, QMessageBox::Yes | QMessageBox::No,
                    parent_);
    box.setDefaultButton(QMessageBox::Yes);
    return Exec(box) == QMessageBox::Yes;
}

void TQtDialogs::ShowMessage(const QString& text) { ShowBox(QMessageBox::NoIcon, text); }

void TQtDialogs::ShowError(const QString& text) { ShowBox(QMessageBox::Critical, text); }

void TQtDialogs::ShowWarning(const QString& text) { ShowBox(QMessageBox::Warning, text); }

void TQtDialogs::ShowBox(QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, ApplicationTitle, text, QMessageBox::Ok, parent_);
    Exec(box);
}

void TQtDialogs::OpenUrl(const QUrl& address) { QDesktopServices::openUrl(address); }

int TQtDialogs::Exec(QDialog& dialog) { return dialog.exec(); }

}  // namespace velquist
