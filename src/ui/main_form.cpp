#include "ui/main_form.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <optional>
#include <vector>

#include "base/error_text.hpp"
#include "base/web_addresses.hpp"
#include "chart/chart_step.hpp"
#include "job/merge_job.hpp"
#include "languages/phrase_table.hpp"
#include "system/temporary_file.hpp"
#include "ui/program_folder.hpp"
#include "ui/report_list_box.hpp"

namespace velquist {
namespace {

// File names go to the core as the file system's bytes, and texts come back
// the same way, so that any name the system accepts survives the round trip.
std::string FileNameBytes(const QString& name) { return QFile::encodeName(name).toStdString(); }
QString TextFromBytes(const std::string& bytes) { return QString::fromLocal8Bit(bytes); }

// Shows the busy cursor for as long as it lives, also when an error ends the merge.
class TBusyCursor {
  public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// The name with its extension (after the last dot of the last path component)
// replaced by ".htm", or ".htm" appended when it has none.
QString WithHtmExtension(const QString& name) {
    const qsizetype dot = name.lastIndexOf('.');
    if (dot > name.lastIndexOf('/')) return name.left(dot) + ".htm";
    return name + ".htm";
}

// "MS Sans Serif" is a Windows font: Liberation Sans stands in at the same 8 points.
QFont WindowFont() { return QFont("Liberation Sans", 8); }

// A key goes first to the window's focused control (or to the window itself
// when none has the focus) and then, if ignored, up that control's parents.
bool IsFirstKeyReceiver(const QWidget& window, const QObject* watched) {
    const QWidget* focus = window.focusWidget();
    return watched == (focus != nullptr ? focus : &window);
}

}  // namespace

TMainForm::TMainForm(std::unique_ptr<TDialogs> dialogs)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<TQtDialogs>(this)) {
    // Menus, file dialogs and message boxes are windows of their own and take
    // the application's font, not this window's: both get the same one.
    QApplication::setFont(WindowFont());
    setFont(WindowFont());
    setWindowIcon(QIcon(":/icons/velquist.svg"));
    setFixedSize(820, 328);
    CreateControls();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    qApp->installEventFilter(this);
    Run([this] { FormCreate(); });
}

TMainForm::~TMainForm() { qApp->removeEventFilter(this); }

void TMainForm::Run(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        dialogs_->ShowError(TextFromBytes(ErrorBoxText(error.what())));
    }
}

void TMainForm::FormCreate() {
    setWindowTitle(QString(ApplicationTitle) + " " + PublisherAddress);
    cbxLanguage->clear();
    for (std::string_view language : LanguageNames())
        cbxLanguage->addItem(QString::fromLatin1(language.data(), language.size()));
    cbxLanguage->setCurrentIndex(0);
    Chart1->hide();
    ReportA = std::make_unique<TMT4TestReport>();
    ReportB = std::make_unique<TMT4TestReport>();
    ReportA->WriteSymbol = cbxWriteOpSymbolToReport->isChecked();
    TempPath = GetTempDir();
    dialogs_->SetUpFileDialogs(
        DialogStartFolder(QCoreApplication::applicationDirPath(), QDir::homePath()),
        ReportFileFilters());
}

void TMainForm::AddReportsToMerge() {
    if (const std::optional<QStringList> files = dialogs_->OpenReports())
        lbxReports->AppendReports(*files);
}

void TMainForm::Button1Click() { AddReportsToMerge(); }

void TMainForm::DeleteSelectedReports() {
    const qsizetype selected = lbxReports->selectedItems().size();
    if (selected == 0) return;
    if (!dialogs_->ConfirmDelete("Delete terminals (" + QString::number(selected) + ") ?")) return;
    for (int i = 0; i < lbxReports->count();) {
        if (lbxReports->item(i)->isSelected())
            delete lbxReports->takeItem(i);
        else
            ++i;
    }
}

void TMainForm::FormKeyUp(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Delete && focusWidget() != edFileName) DeleteSelectedReports();
}

void TMainForm::PopupMenuKeyUp(const QKeyEvent& key) {
    if (key.key() != Qt::Key_Delete) return;
    PopupMenu1->close();
    DeleteSelectedReports();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    // Only a key's first delivery counts, and a held key's repeats are one release.
    if (event->type() != QEvent::KeyRelease) return QWidget::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.isAutoRepeat()) return QWidget::eventFilter(watched, event);
    // An open menu has the keys. Its "Del" is no shortcut Qt would run: a
    // context menu's actions belong to no widget of the window.
    if (watched == PopupMenu1)
        Run([this, &key] { PopupMenuKeyUp(key); });
    else if (IsFirstKeyReceiver(*this, watched))
        Run([this, &key] { FormKeyUp(key); });
    return QWidget::eventFilter(watched, event);
}

void TMainForm::BtnFileNameClick() {
    const std::optional<TSaveChoice> choice = dialogs_->SaveResult();
    if (!choice) return;
    const bool htmlFilter = choice->FilterIndex == 0;
    edFileName->setText(htmlFilter ? WithHtmExtension(choice->FileName) : choice->FileName);
}

void TMainForm::cbxWriteOpSymbolToReportClick() {
    ReportA->WriteSymbol = cbxWriteOpSymbolToReport->isChecked();
}

void TMainForm::BtnOnLineHelpClick() {
    dialogs_->OpenUrl(QUrl::fromLocalFile(HelpPagePath(QCoreApplication::applicationDirPath())));
}

void TMainForm::BtnMergeClick() {
    std::vector<std::string> files;
    for (const QString& report : lbxReports->Reports()) files.push_back(FileNameBytes(report));
    const std::string language(LanguageNames().at(cbxLanguage->currentIndex()));
    const TMergeRequest request{files, FileNameBytes(edFileName->text()), language};
    TMergeOutcome outcome;
    {
        TBusyCursor busy;
        outcome = MergeJob(request, *ReportA, *ReportB,
                           [this](const TMT4TestReport& report) { return CreateGraph(report); });
    }
    // Boxes are shown once the busy cursor is gone.
    switch (outcome.Kind) {
        case TMergeOutcome::TKind::Refused:
            return dialogs_->ShowMessage(TextFromBytes(outcome.Message));
        case TMergeOutcome::TKind::Failed:
            return dialogs_->ShowError(TextFromBytes(ErrorBoxText(outcome.Message)));
        case TMergeOutcome::TKind::Done:
            break;
    }
    if (!outcome.Warnings.empty())
        dialogs_->ShowWarning(TextFromBytes(WarningsBoxText(outcome.Warnings)));
}

TSaveChart TMainForm::CreateGraph(const TMT4TestReport& report) {
    if (!chartStep_) chartStep_ = BalanceChartStep(TempPath);
    return chartStep_(report);
}

}  // namespace velquist
