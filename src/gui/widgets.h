// Wertalo wizard: small helpers that make the pages' controls.
#pragma once

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QString>
#include <QTableView>
#include <QWidget>

namespace wertalo::gui {

// A control named like the form's control (tests and screenshots find it by that name).
template <class Widget>
Widget* named(QWidget* parent, const char* name) {
  auto* widget = new Widget(parent);
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// The same with a caption.
template <class Widget>
Widget* named(QWidget* parent, const char* name, const QString& caption) {
  Widget* widget = named<Widget>(parent, name);
  widget->setText(caption);
  return widget;
}

// A check box with its caption and first state.
QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, bool checked);

// A read-only memo, in bold when asked.
QPlainTextEdit* readOnlyMemo(QWidget* parent, const char* name, bool bold);

// A label for a control; its mnemonic moves the focus to the control.
QLabel* buddy(QWidget* parent, const QString& caption, QWidget* control);

// A read-only table view over the model, whole rows selected, the name column stretched.
void showTable(QTableView* view, QAbstractItemModel* model, int nameColumn);

}  // namespace wertalo::gui
