// Wertalo forms: the settings form "Ustawienia" (TfrmParams): the export folder, the special
// off-budget symbol and the switches that preset the wizard's check boxes.
#pragma once

#include <QDialog>

#include "core/platform/settings.h"

namespace wertalo::operations {
class Session;
}

namespace wertalo::gui {

class TfrmParams : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmParams(operations::Session& session, QWidget* parent = nullptr);

  // The session whose settings the form shows.
  operations::Session& session() const { return session_; }
  // Loads the stored values into the controls (values not stored stay as they are); an empty
  // export folder then shows the product's export folder. Runs whenever the form is shown.
  void Odczyt();
  // "Zapisz": an empty export folder takes the product's export folder, then every value is
  // stored and taken into the run.
  void Zapis();

  // The values the controls hold, and putting values into them.
  platform::Settings values() const;
  void setValues(const platform::Settings& settings);

  // Closing ("Zamknij" or the window's close) stores nothing: the controls' values count for the
  // rest of the run, and the stored ones come back the next time the form is shown.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  operations::Session& session_;
};

}  // namespace wertalo::gui
