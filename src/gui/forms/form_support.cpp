#include "gui/forms/form_support.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

#include <exception>

#include "core/base/error.h"
#include "core/platform/user_interface.h"

namespace wertalo::gui {

void guarded(platform::UserInterface& ui, const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    ui.showMessage(e.message());
  } catch (const std::exception& e) {
    ui.showMessage(QStringLiteral("Błąd: ") + QString::fromUtf8(e.what()));
  }
}

RadioGroup::RadioGroup(const QString& name, const QString& title, const QStringList& items, int columns,
                       QWidget* parent)
    : QGroupBox(title, parent), buttons_(new QButtonGroup(this)) {
  setObjectName(name);
  auto* layout = new QGridLayout(this);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    button->setObjectName(name + QLatin1Char('_') + QString::number(i));
    buttons_->addButton(button, i);
    layout->addWidget(button, i / columns, i % columns);
  }
  connect(buttons_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

int RadioGroup::itemIndex() const { return buttons_->checkedId(); }

void RadioGroup::setItemIndex(int index) {
  if (QAbstractButton* button = buttons_->button(index)) button->setChecked(true);
}

}  // namespace wertalo::gui
