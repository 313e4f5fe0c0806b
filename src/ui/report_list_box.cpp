#include "ui/report_list_box.hpp"

#include <QDrag>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>
#include <algorithm>

namespace velquist {
namespace {

constexpr int ItemHeight = 13;

// The local files (not folders) among the dropped addresses, in their order.
QStringList DroppedFiles(const QMimeData* mime) {
    QStringList files;
    if (mime == nullptr) return files;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile() && !QFileInfo(url.toLocalFile()).isDir()) files << url.toLocalFile();
    }
    return files;
}

}  // namespace

TReportListBox::TReportListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setTextElideMode(Qt::ElideMiddle);
}

void TReportListBox::AppendReports(const QStringList& fileNames) {
    for (const QString& name : fileNames) {
        auto* item = new QListWidgetItem(name, this);
        item->setSizeHint(QSize(0, ItemHeight));
        item->setToolTip(name);
    }
}

QStringList TReportListBox::Reports() const {
    QStringList names;
    for (int i = 0; i < count(); ++i) names << item(i)->text();
    return names;
}

void TReportListBox::MoveSelectedTo(int row) {
    QList<QListWidgetItem*> moving;
    int target = row;
    for (int i = 0; i < count(); ++i) {
        if (!item(i)->isSelected()) continue;
        moving << item(i);
        if (i < row) --target;
    }
    for (int i = count() - 1; i >= 0; --i) {
        if (item(i)->isSelected()) takeItem(i);
    }
    for (int k = 0; k < moving.size(); ++k) insertItem(target + k, moving[k]);
    for (QListWidgetItem* item : moving) item->setSelected(true);
    if (!moving.isEmpty()) setCurrentItem(moving.first(), QItemSelectionModel::NoUpdate);
}

void TReportListBox::keyPressEvent(QKeyEvent* event) {
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (!shiftF10 && event->key() != Qt::Key_Menu) return QListWidget::keyPressEvent(event);
    event->accept();
    emit customContextMenuRequested(ContextMenuPoint());
}

// Where a menu asked for from the keyboard opens, in the viewport's
// coordinates: below the current line's start, or at the top when there is none.
QPoint TReportListBox::ContextMenuPoint() const {
    const QRect line = currentItem() != nullptr ? visualItemRect(currentItem()) : QRect();
    if (!line.isValid() || !viewport()->rect().intersects(line)) return {0, 0};
    return {line.left(), std::min(line.bottom(), viewport()->height() - 1)};
}

// The move is done by the drop itself; the base class would afterwards remove
// the dragged lines as if they had gone to another program.
void TReportListBox::startDrag(Qt::DropActions) {
    const QList<QListWidgetItem*> items = selectedItems();
    if (items.isEmpty()) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(mimeData(items));
    drag->exec(Qt::MoveAction);
    setState(NoState);
    viewport()->update();
}

void TReportListBox::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() == this) return QListWidget::dragEnterEvent(event);
    if (DroppedFiles(event->mimeData()).isEmpty()) return event->ignore();
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void TReportListBox::dragMoveEvent(QDragMoveEvent* event) {
    if (event->source() == this) return QListWidget::dragMoveEvent(event);
    if (DroppedFiles(event->mimeData()).isEmpty()) return event->ignore();
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void TReportListBox::dropEvent(QDropEvent* event) {
    stopAutoScroll();
    setState(NoState);
    viewport()->update();
    if (event->source() == this) {
        MoveSelectedTo(DropRow(event->position().toPoint()));
        event->setDropAction(Qt::MoveAction);
        return event->accept();
    }
    const QStringList files = DroppedFiles(event->mimeData());
    if (files.isEmpty()) return event->ignore();
    AppendReports(files);
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

// The line before which dragged lines land, from the drop indicator's place.
int TReportListBox::DropRow(const QPoint& position) const {
    const QModelIndex index = indexAt(position);
    if (!index.isValid()) return count();
    switch (dropIndicatorPosition()) {
        case AboveItem:
            return index.row();
        case BelowItem:
            return index.row() + 1;
        case OnItem:
            return visualRect(index).center().y() < position.y() ? index.row() + 1 : index.row();
        case OnViewport:
            break;
    }
    return count();
}

}  // namespace velquist
