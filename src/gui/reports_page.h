// Wertalo wizard, page 2: ticking the reports to export.
#pragma once

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>

#include <memory>
#include <optional>

#include "core/mapping/mapping_types.h"
#include "core/operations/balance_positions.h"

#include "gui/forms/form_support.h"
#include "gui/selection_model.h"
#include "gui/wertalo_wizard.h"

namespace wertalo::gui {

class ReportsPage : public WizardPage {
  Q_OBJECT

 public:
  explicit ReportsPage(TfrmWertalo& wizard);
  ~ReportsPage() override;

  QTableView* OvcDbTable1;
  QCheckBox* chkZapiszPojedynczo;
  QCheckBox* cbGrupoweJst;
  QPushButton* Button2;
  QWidget* pnlPozBil;
  RadioGroup* rgAP;
  QTableWidget* dbgrBilanse;
  QPlainTextEdit* DBMemo2;

  // The selection's table, for ticking.
  SelectionModel* model() const { return model_; }
  // Entering the page: the selection rebuilt for the choice, unless it was preselected.
  bool prepare() override;
  void initializePage() override;
  // Shows the selection as it is now, on its first row.
  void showSelection();
  // Ticks every report, none, or only the signed ones (the table's pop-up menu).
  void tickAll();
  void tickNone();
  void tickSigned();

 private:
  void showPositions();


  SelectionModel* model_;
  // The balance positions beside the current sheet (made when first shown) and their side.
  std::unique_ptr<operations::BalancePositions> positions_;
  std::optional<mapping::TAktywaPasywa> side_;  // none until the view is first told its side
};

}  // namespace wertalo::gui
