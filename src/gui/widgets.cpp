#include "gui/widgets.h"

#include <QHeaderView>

namespace wertalo::gui {

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, bool checked) {
  auto* box = named<QCheckBox>(parent, name, caption);
  box->setChecked(checked);
  return box;
}

QPlainTextEdit* readOnlyMemo(QWidget* parent, const char* name, bool bold) {
  auto* memo = named<QPlainTextEdit>(parent, name);
  memo->setReadOnly(true);
  if (bold) {
    QFont font = memo->font();
    font.setBold(true);
    memo->setFont(font);
  }
  return memo;
}

QLabel* buddy(QWidget* parent, const QString& caption, QWidget* control) {
  auto* label = new QLabel(caption, parent);
  label->setBuddy(control);
  return label;
}

void showTable(QTableView* view, QAbstractItemModel* model, int nameColumn) {
  view->setModel(model);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // One line per report; the name takes the room the other columns leave.
  view->setWordWrap(false);
  QHeaderView* header = view->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::ResizeToContents);
  header->setSectionResizeMode(nameColumn, QHeaderView::Stretch);
  view->verticalHeader()->hide();
}

}  // namespace wertalo::gui
