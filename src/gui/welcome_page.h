// Wertalo wizard, page 1: what is exported (reports or balance sheets, year, period, unit).
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>

#include "gui/forms/form_support.h"
#include "gui/selection_model.h"
#include "gui/wertalo_wizard.h"

namespace wertalo::gui {

class WelcomePage : public WizardPage {
  Q_OBJECT

 public:
  explicit WelcomePage(TfrmWertalo& wizard);

  QRadioButton* rbEksportSpraw;
  QRadioButton* rbEksportBilansow;
  RadioGroup* rgRodzaj;
  RadioGroup* rgWyborJednostek;
  QComboBox* lcJB;
  QTableWidget* gridJB;
  QComboBox* lcRok;
  QComboBox* lcOkres;
  QLabel* lblNazwa;
  QTableView* o;
  QPlainTextEdit* DBMemo1;
  QPushButton* btnPokazMapowanieDoBestia;
  QPushButton* btnUstawienia;
  QPushButton* Button1;
  QLabel* Label2;

  // Shows the session's years, periods, budget units and unit as they are now.
  void showChoice();
  // Shows the selection as it is now, on its first row.
  void showSelection();
  // Next is refused while the selection has no row.
  bool isComplete() const override;

  // The rules of the controls (a change of choice rebuilds the selection).
  void rgRodzajClick(int item);
  void rgWyborJednostekClick();
  void kindClick(bool reports);
  void gridJBDoubleClick(int row);

 private:
  catalogue::TTypEksportu kind() const;
  // Runs a change of choice, then rebuilds the selection (with or without the units chosen).
  void rebuild(const std::function<void()>& change, bool withChosenUnits);
  void Button1Click();

  SelectionModel* model_;
};

}  // namespace wertalo::gui
