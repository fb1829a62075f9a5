#include "gui/radio_group.h"

#include <QGridLayout>
#include <QRadioButton>

namespace wertalo::gui {

RadioGroup::RadioGroup(const QString& name, const QString& title, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(title, parent) {
  setObjectName(name);
  auto* layout = new QGridLayout(this);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    buttons_.addButton(button, i);
    layout->addWidget(button, i / columns, i % columns);
  }
  if (!items.isEmpty()) buttons_.button(0)->setChecked(true);
  connect(&buttons_, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
}

void RadioGroup::setItemIndex(int index, bool notify) {
  if (index == itemIndex() || buttons_.button(index) == nullptr) return;
  buttons_.button(index)->setChecked(true);
  if (notify) emit clicked(index);
}

}  // namespace wertalo::gui
