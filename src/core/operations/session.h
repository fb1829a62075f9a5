// Wertalo: the operations a front end calls (the wizard, the command line, the host
// functions): open an installation, list and choose, export, complete.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

#include "core/catalogue/export_result.h"
#include "core/catalogue/run_options.h"
#include "core/catalogue/wertalo_main.h"
#include "core/package/export_run.h"
#include "core/platform/settings.h"

namespace wertalo::platform {
class UserInterface;
}

namespace wertalo::package {
class TXMLPaczkaSprawozdan;
}

namespace wertalo::mapping {
class TdtmBilMapToBestia;
}

namespace wertalo::operations {

// Where the installation and the stored settings are.
struct OpenRequest {
  QString winIni;        // empty: $WERTALO_WIN_INI, else the default WIN.INI
  QString settingsFile;  // empty: "Wertalo.xml" in the configuration folder
};

// A period of the chosen year, as the period picker shows it.
struct PeriodItem {
  QString name;  // "styczeń", "kwart. 3"
  QString code;  // report-table code "A".."L", "1".."4"
  QString key;   // OpZam
  bool chosen = false;
};

// A budget unit of the chosen period.
struct BudgetUnitItem {
  qint64 id = 0;
  QString name;
};

// A whole choice at once, as a command line gives it.
struct Choice {
  catalogue::TTypEksportu kind = catalogue::teSprawozdania;
  QString year;         // two digits; empty: the latest year
  QString period;       // report-table code; empty: the latest period of the year
  QString budgetUnits;  // "7,9,"; empty: the unit itself
};

// One open installation: the main data module, the stored settings and the package writer.
class Session {
 public:
  // Finds the installation, connects, opens the catalogue and reads the stored settings; the
  // run options start from the settings. Raises Error (installation, database).
  static std::unique_ptr<Session> open(const OpenRequest& request, platform::UserInterface& ui);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // ---- What there is ----------------------------------------------------------------------
  const catalogue::Installation& installation() const { return dtm_->installation(); }
  catalogue::TRodzajProg product() const { return dtm_->RodzajProg(); }
  const platform::Settings& settings() const { return settings_; }
  // The unit itself and the current choice of year and period.
  const catalogue::MemMain& unit() const { return dtm_->memMain(); }
  catalogue::TTypEksportu kind() const { return dtm_->TypEksportu(); }
  catalogue::TRodzajEksportu unitKind() const { return dtm_->RodzajEksportu(); }
  // The budget years ("13", "14"), oldest first.
  QStringList years() const;
  // The periods of the chosen year (for balance sheets only the whole year).
  std::vector<PeriodItem> periods() const;
  // The budget units of the chosen period, by name.
  std::vector<BudgetUnitItem> budgetUnits() const;
  // The chosen budget units, each id followed by "," (empty: the unit itself).
  const QString& chosenBudgetUnits() const { return sWybraneJB_; }

  // ---- Choosing ---------------------------------------------------------------------------
  // The run options (from the settings, changed by the front end).
  const catalogue::RunOptions& options() const { return dtm_->options(); }
  void setOptions(const catalogue::RunOptions& options) { dtm_->setOptions(options); }
  // Stores changed settings and takes them into the run options.
  void saveSettings(const platform::Settings& settings);
  // Takes settings into the run options for this run only, without storing them (the settings
  // form closed without "Zapisz").
  void useSettings(const platform::Settings& settings);
  // Reports or balance sheets.
  void setKind(catalogue::TTypEksportu kind);
  // Makes the year current, with its latest period; raises Error (input) when it is not listed.
  void chooseYear(const QString& rok);
  // Makes the period with this report-table code current; raises Error (input) when the year
  // has none.
  void choosePeriod(const QString& code);
  // The budget units whose reports are offered ("7,9,", each of the chosen period); empty
  // chooses the unit itself. Raises Error (input) naming a unit that is not there.
  void chooseBudgetUnits(const QString& list);
  // The whole choice, then the selection is rebuilt.
  void choose(const Choice& choice);
  // Rebuilds the selection for the current choice.
  void refreshSelection();
  // The selection from budget units' report identifiers ("57,58,"), as the product starts the
  // wizard with them.
  void selectReports(const QString& ids);

  // ---- Selection and run --------------------------------------------------------------------
  catalogue::SelectTable& selection() { return dtm_->memSelectSpraw(); }
  const catalogue::SelectTable& selection() const { return dtm_->memSelectSpraw(); }
  // Ticks exactly the reports listed; raises Error (input) naming those not offered.
  void tickOnly(const std::vector<qint64>& ids);
  // The summary lines before an export; returns the number of ticked reports.
  int summary(QStringList& lines);
  // Exports the ticked reports as the options say (the whole package's file name is asked
  // through the user interface).
  catalogue::ExportResult exportSelection(const package::RunControl& control = {});
  // The completion text and the full paths of the files of a run.
  void completion(const catalogue::ExportResult& result, QStringList& lines, QStringList& files) const;

  // The mapping of balance positions to Besti@ positions for the chosen year (its positions,
  // the Besti@ positions valid at its end).
  std::unique_ptr<mapping::TdtmBilMapToBestia> openMapping();
  // The session's own mapping module, shared by the mapping form and the export-side view of
  // the balance positions: opened at first use, moved to the chosen year whenever it changed.
  mapping::TdtmBilMapToBestia& mapping();
  // The user, as the core reaches them (messages, questions).
  platform::UserInterface& ui() const { return ui_; }

  // The main data module, for the core's other operations (mapping, sending).
  catalogue::TdtmWertaloMain& dataModule() { return *dtm_; }

 private:
  Session(platform::UserInterface& ui, const OpenRequest& request);

  platform::UserInterface& ui_;
  platform::Settings settings_;
  std::unique_ptr<catalogue::TdtmWertaloMain> dtm_;
  std::unique_ptr<package::TXMLPaczkaSprawozdan> writer_;
  std::unique_ptr<mapping::TdtmBilMapToBestia> mapping_;
  QString sWybraneJB_;
};

// The run options the stored settings give.
catalogue::RunOptions optionsFromSettings(const platform::Settings& settings);

}  // namespace wertalo::operations
