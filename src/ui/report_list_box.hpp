// The list of report files to merge: one full path a line, several lines
// selectable. A path too long for its line loses its middle, so that the file
// name stays in sight, and the whole path is the line's tooltip. Shift+F10 and
// the menu key ask for the context menu as a right click does. Beyond adding
// through the window's commands it takes files dropped from a file manager
// (appended in the dropped order) and lets lines be dragged into another
// order; the first line is the base report. It does not ask anything or look
// into the files.
#pragma once

#include <QListWidget>
#include <QStringList>

namespace velquist {

class TReportListBox : public QListWidget {
  public:
    explicit TReportListBox(QWidget* parent);

    // Appends the names at the end of the list, in the given order.
    void AppendReports(const QStringList& fileNames);
    // The lines, top to bottom.
    QStringList Reports() const;
    // Moves the selected lines, keeping their order, to before line `row`
    // (count() for the end); they stay selected.
    void MoveSelectedTo(int row);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    int DropRow(const QPoint& position) const;
    QPoint ContextMenuPoint() const;
};

}  // namespace velquist
