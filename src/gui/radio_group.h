// Wertalo wizard: a group of radio buttons chosen by item index.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

namespace wertalo::gui {

// A framed group of radio buttons in columns; one item is chosen.
class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  // `items` in order, laid out in `columns` columns; item 0 is chosen.
  RadioGroup(const QString& name, const QString& title, const QStringList& items, int columns, QWidget* parent = nullptr);

  // The chosen item.
  int itemIndex() const { return buttons_.checkedId(); }
  // Chooses an item; `clicked` follows only when the choice changes and `notify` is set.
  void setItemIndex(int index, bool notify = true);
  // The radio button of an item.
  QAbstractButton* item(int index) const { return buttons_.button(index); }

 signals:
  // The user (or setItemIndex) chose another item.
  void clicked(int index);

 private:
  QButtonGroup buttons_;
};

}  // namespace wertalo::gui
