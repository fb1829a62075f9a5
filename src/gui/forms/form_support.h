// Wertalo forms: what the settings and mapping forms share: a radio group like the product's,
// and the one place where an error of a form's action reaches the user.
#pragma once

#include <QGroupBox>
#include <QStringList>

#include <functional>

class QButtonGroup;

namespace wertalo::platform {
class UserInterface;
}

namespace wertalo::gui {

// Runs a form's action; an error of the core (database, file) is shown to the user with its
// message, and the form stays as it is.
void guarded(platform::UserInterface& ui, const std::function<void()>& action);

// A titled group of radio buttons in columns, one item chosen (`itemIndex`).
class RadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  RadioGroup(const QString& name, const QString& title, const QStringList& items, int columns,
             QWidget* parent = nullptr);

  // The chosen item (from 0); -1 when none is.
  int itemIndex() const;
  // Chooses an item without emitting `itemClicked`.
  void setItemIndex(int index);

 signals:
  // The user chose an item.
  void itemClicked(int index);

 private:
  QButtonGroup* buttons_;
};

}  // namespace wertalo::gui
