// The macro grid: 7 x 16 cells, one code each, read-only. Its keys and mouse
// buttons go to the main window's grid handlers; the last cell can never
// become the current cell; Tab moves one cell on and then types a Tab.
#pragma once

#include <QTableWidget>

class TfrmMain;

class TMacroGrid : public QTableWidget {
  Q_OBJECT

 public:
  TMacroGrid(TfrmMain& form, QWidget* parent);

  // The refused cell: column 6 of row 15.
  static bool IsRefusedCell(int row, int column);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  void MoveByTab(bool forward);
  TfrmMain& form_;
};
