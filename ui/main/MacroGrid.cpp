#include "MacroGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "Unit1.h"

namespace {

const QColor kNavy(0, 0, 128);
const QColor kBlockColour(255, 226, 140);  // a selected block: warm yellow

// A cell that a screen reader can speak: its code's text, or "empty".
class TGridItem : public QTableWidgetItem {
 public:
  TGridItem() : QTableWidgetItem(UserType) {}
  QVariant data(int role) const override {
    if (role == Qt::AccessibleTextRole) {
      const QString text = QTableWidgetItem::data(Qt::DisplayRole).toString().trimmed();
      return text.isEmpty() ? QStringLiteral("empty") : text;
    }
    if (role == Qt::AccessibleDescriptionRole && tableWidget() != nullptr)
      return QStringLiteral("Macro position %1").arg(row() * TfrmMain::kGridColumns + column() + 1);
    return QTableWidgetItem::data(role);
  }
  QTableWidgetItem* clone() const override { return new TGridItem(*this); }
};

// Navy text on white cells; the 1-pixel gap left at the right and bottom of
// every cell shows the black ground as grid lines. The selected block is
// yellow; the current cell is navy with white text while the grid has the
// focus, and framed in navy when it has not.
class TGridDelegate : public QStyledItemDelegate {
 public:
  explicit TGridDelegate(QTableWidget* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const QRect cell = option.rect.adjusted(0, 0, -1, -1);
    const bool current = index == grid_->currentIndex();
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const bool focused = grid_->hasFocus();
    QColor fill = Qt::white;
    QColor ink = kNavy;
    if (current && focused) {
      fill = kNavy;
      ink = Qt::white;
    } else if (selected) {
      fill = kBlockColour;
    }
    painter->fillRect(cell, fill);
    if (current && !focused) {
      painter->setPen(QPen(kNavy, 2));
      painter->drawRect(cell.adjusted(1, 1, -1, -1));
    }
    painter->setPen(ink);
    painter->setFont(option.font);
    painter->drawText(cell, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
  }

 private:
  QTableWidget* grid_;
};

}  // namespace

TMacroGrid::TMacroGrid(TfrmMain& form, QWidget* parent)
    : QTableWidget(TfrmMain::kGridRows, TfrmMain::kGridColumns, parent), form_(form) {
  setObjectName(QStringLiteral("Grid"));
  horizontalHeader()->hide();
  verticalHeader()->hide();
  horizontalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setDefaultSectionSize(62);
  verticalHeader()->setDefaultSectionSize(20);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setShowGrid(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setTabKeyNavigation(true);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setItemDelegate(new TGridDelegate(this));
  QPalette pal = palette();
  pal.setColor(QPalette::Base, Qt::black);
  pal.setColor(QPalette::Text, QColor(0, 0, 128));
  setPalette(pal);
  setAccessibleName(QStringLiteral("Macro codes"));
  setAccessibleDescription(
      QStringLiteral("One code per cell. Type to insert at the current cell; Delete and "
                     "Backspace remove codes; Ctrl+Tab leaves the grid."));
  for (int r = 0; r < rowCount(); ++r) {
    for (int c = 0; c < columnCount(); ++c) {
      auto* item = new TGridItem;
      if (IsRefusedCell(r, c))
        item->setFlags(Qt::NoItemFlags);
      else
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      setItem(r, c, item);
    }
  }
}

bool TMacroGrid::IsRefusedCell(int row, int column) {
  return row == TfrmMain::kGridRows - 1 && column == TfrmMain::kGridColumns - 1;
}

bool TMacroGrid::event(QEvent* event) {
  // Tab stays in the grid: it moves the current cell and then types a Tab.
  // Ctrl+Tab is the way out of the grid for the keyboard.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      if (key->modifiers() & Qt::ControlModifier) {
        QWidget::focusNextPrevChild(key->key() == Qt::Key_Tab &&
                                    !(key->modifiers() & Qt::ShiftModifier));
        return true;
      }
      const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
      MoveByTab(forward);
      form_.GridKeyPress(U'\t');
      return true;
    }
  }
  return QTableWidget::event(event);
}

void TMacroGrid::MoveByTab(bool forward) {
  const int last = TfrmMain::kGridRows * TfrmMain::kGridColumns - 1;
  int position = form_.InsertionPoint() + (forward ? 1 : -1);
  if (position < 0 || position >= last) return;  // the refused cell or the start
  setCurrentCell(position / TfrmMain::kGridColumns, position % TfrmMain::kGridColumns);
}

void TMacroGrid::keyPressEvent(QKeyEvent* event) {
  if (form_.GridKeyDown(event)) return;
  const int key = event->key();
  const Qt::KeyboardModifiers mods = event->modifiers();
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      form_.GridKeyPress(U'\r');
      return;
    case Qt::Key_Escape:
      form_.GridKeyPress(U'\x1b');
      return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      QTableWidget::keyPressEvent(event);
      return;
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_AltGr:
      return;
    default:
      break;
  }
  // Ctrl with a letter arrives as its control character (Ctrl+I is a Tab,
  // Ctrl+M a carriage return, Ctrl+[ an Escape); any other Ctrl combination
  // types nothing.
  if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
      form_.GridKeyPress(char32_t(key - Qt::Key_A + 1));
    else if (key == Qt::Key_BracketLeft)
      form_.GridKeyPress(U'\x1b');
    else if (key == Qt::Key_Backslash)
      form_.GridKeyPress(U'\x1c');
    else if (key == Qt::Key_BracketRight)
      form_.GridKeyPress(U'\x1d');
    return;
  }
  const QList<uint> chars = event->text().toUcs4();
  if (!chars.isEmpty()) form_.GridKeyPress(char32_t(chars.first()));
}

void TMacroGrid::keyReleaseEvent(QKeyEvent* event) {
  form_.GridKeyUp(event);
  QTableWidget::keyReleaseEvent(event);
}

void TMacroGrid::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    // A right click moves neither the current cell nor the selection.
    form_.GridMouseDown(event);
    return;
  }
  QTableWidget::mousePressEvent(event);
}

void TMacroGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) return;
  QTableWidget::mouseDoubleClickEvent(event);
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && index.isValid() &&
      !IsRefusedCell(index.row(), index.column()))
    form_.GridDblClick();
}

QModelIndex TMacroGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
  const QModelIndex target = QTableWidget::moveCursor(cursorAction, modifiers);
  if (target.isValid() && IsRefusedCell(target.row(), target.column())) return currentIndex();
  return target;
}

void TMacroGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  if (current.isValid() && !form_.GridSelectCell(current.column(), current.row())) {
    // Refused: put the current cell back where it was.
    if (previous.isValid())
      selectionModel()->setCurrentIndex(previous, QItemSelectionModel::ClearAndSelect);
    return;
  }
  QTableWidget::currentChanged(current, previous);
  viewport()->update();
}
