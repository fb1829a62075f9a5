// Wertalo forms: the mapping form "Przypisanie do pozycji bilansu w programie Bestia"
// (TfrmBilMapToBestia): reviews and edits the assignment of the product's balance positions to
// Besti@ positions through the session's mapping module.
#pragma once

#include <QDialog>

#include <functional>

class QComboBox;
class QTableView;

namespace wertalo::operations {
class Session;
}

namespace wertalo::mapping {
class TdtmBilMapToBestia;
}

namespace wertalo::gui {

class PositionsModel;
class RadioGroup;

// The message after the automatic mapping of a first showing; `unmatched` positions were left
// without a Besti@ position (the count is told only when there are any).
QString automaticMappingMessage(int unmatched);

class TfrmBilMapToBestia : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmBilMapToBestia(operations::Session& session, QWidget* parent = nullptr);

  // The session whose mapping the form edits.
  operations::Session& session() const { return session_; }
  // Runs when the form is shown: a year without any assignment of the unit's positions is
  // first mapped automatically (with a message); then the grid shows the kind and side the
  // combo box and the radio group hold.
  void FormShow();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  mapping::TdtmBilMapToBestia& module() const;
  // A click on the kind or the side: the grid and the Besti@ choices follow them.
  void chooseShown();
  // The grid, the status column and the Besti@ choices from the module's lists as they are now,
  // the current row kept.
  void showLists();
  // The grid's current row moved: the module follows it, the lookup combo shows its Besti@ position.
  void currentRowChanged(int row);
  // Runs one of the buttons' commands, then the grid's list is run anew (the status column
  // follows) with the current position kept.
  void command(const std::function<void(mapping::TdtmBilMapToBestia&)>& action);

  operations::Session& session_;
  QComboBox* cbRodzajeBilansow_;
  RadioGroup* rgAP_;
  QTableView* DBGrid1_;
  PositionsModel* positions_;
  QComboBox* RxDBLookupCombo1_;
};

}  // namespace wertalo::gui
