#include "ui/dialogs.hpp"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

namespace velquist {
namespace {

// A box shows this many lines of its text at most; the rest scrolls.
constexpr int MaxShownLines = 20;

// Puts the box's text into a scrolling area of at most MaxShownLines lines, at
// most three quarters of the screen wide, so that the box and its OK button
// stay on the screen however long the text. The area takes the text's own
// place in the box's layout; a shorter text is left as it is.
void ScrollLongText(QMessageBox& box) {
    auto* label = box.findChild<QLabel*>("qt_msgbox_label");
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (label == nullptr || grid == nullptr || box.text().count('\n') < MaxShownLines) return;
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(grid->indexOf(label), &row, &column, &rows, &columns);
    grid->removeWidget(label);
    auto* area = new QScrollArea(&box);
    area->setObjectName("WarningsText");
    area->setFrameShape(QFrame::NoFrame);
    label->setWordWrap(false);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    area->setWidget(label);
    const QSize text = label->sizeHint();
    const int lineHeight = text.height() / static_cast<int>(box.text().count('\n') + 1);
    const QScreen* screen = box.screen();
    const int widest = screen != nullptr ? screen->availableGeometry().width() * 3 / 4 : 800;
    const int wanted = text.width() + area->verticalScrollBar()->sizeHint().width();
    // A text wider than the box scrolls sideways too, below the lines shown.
    const int sideways = wanted > widest ? area->horizontalScrollBar()->sizeHint().height() : 0;
    area->setFixedSize(std::min(wanted, widest), lineHeight * MaxShownLines + sideways);
    grid->addWidget(area, row, column, rows, columns);
}

}  // namespace

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
    ScrollLongText(box);
    Exec(box);
}

void TQtDialogs::OpenUrl(const QUrl& address) { QDesktopServices::openUrl(address); }

int TQtDialogs::Exec(QDialog& dialog) { return dialog.exec(); }

}  // namespace velquist
