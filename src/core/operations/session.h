// Wertalo: the operations a front end calls (the wizard, the command line, the host
// functions): open an installation, list and choose, export, complete.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

#include "core/catalogue/export_result.h"
#include "core/catalogue/run_options.h"
#include "core/catalogue/wertalo_main.h"
#include "core/package/export_run.h"
#include "core/platform/settings.h"
#include "core/sending/external_sender.h"
#include "core/sending/zip_name.h"

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
  // Rebuilds the selection for the current choice; without `withChosenUnits` only for the unit
  // itself or the one budget unit (as the wizard does when the export kind changes).
  void refreshSelection(bool withChosenUnits = true);
  // The selection from budget units' report identifiers ("57,58,"), as the product starts the
  // wizard with them.
  void selectReports(const QString& ids);
  // The unit itself (rJST) or its budget units (rJB); the units chosen stay as they are.
  void setUnitKind(catalogue::TRodzajEksportu kind);
  // The one budget unit whose reports are offered; the several units chosen are cleared.
  void chooseBudgetUnit(qint64 id);
  // Adds the budget unit to the several units chosen, or takes it out when it is there.
  void toggleBudgetUnit(qint64 id);
  // Whether the budget unit is among the several units chosen.
  bool budgetUnitChosen(qint64 id) const;
  // The command line's preselection: the budget units' reports of the list ("226444,226726,"),
  // looked up in parts of at most about 1400 characters; each part that names reports makes
  // their year, period and units current and adds them to the selection (the product becomes
  // the budget-unit one). False when the list is empty or names no report. Raises Error (input)
  // for a malformed list before any statement runs.
  bool preselect(const QString& list);

  // ---- Selection and run --------------------------------------------------------------------
  catalogue::SelectTable& selection() { return dtm_->memSelectSpraw(); }
  const catalogue::SelectTable& selection() const { return dtm_->memSelectSpraw(); }
  // Ticks exactly the reports listed; raises Error (input) naming those not offered.
  void tickOnly(const std::vector<qint64>& ids);
  // The summary lines before an export; returns the number of ticked reports.
  int summary(QStringList& lines);
  // Exports the ticked reports as the options say (the whole package's file name is asked
  // through the user interface). An error stops the run as catalogue::ExportStopped, which
  // carries the files written and dated before it.
  catalogue::ExportResult exportSelection(const package::RunControl& control = {});
  // The completion text and the full paths of the files of a run.
  void completion(const catalogue::ExportResult& result, QStringList& lines, QStringList& files) const;

  // ---- Packing and the external sender (session_sending.cpp) -------------------------------
  // What the archive of the last export is named after: the unit kind, OKRES and ROK of the
  // choice, and the REGON of the export's current budget-unit row (empty for the unit itself).
  sending::ZipNameParts archiveNameParts() const;
  // Packs the files the export wrote into one archive in the export folder under a new name
  // (NazwaPlikuZip), their bare names inside; with `deletePacked` the packed files are deleted
  // after a packing that succeeded. Call it with the result of this session's last
  // exportSelection (the archive is named after that export's choice). The archive is written
  // whole (a temporary file that the next export removes if the process is killed, then a
  // rename). Returns the archive's path. Raises sending::SendingError naming the archive and
  // the underlying text when packing fails (also for a result without files): no archive is
  // left and no file is deleted then. Shows nothing to the user.
  QString pack(const catalogue::ExportResult& result, bool deletePacked);
  // The product's sending program as the installation names it (empty CommunicationSrv: none).
  sending::ExternalSender externalSender() const;
  // The user of the product's user table whose LOGIN is exactly `login`; nothing for an empty
  // login or when there is none.
  std::optional<sending::SenderUser> senderUser(const QString& login);
  // Checks, before an export, that its archive can be handed to the sending program: raises
  // sending::SendingError when no program is configured and Error (input) when `login` is
  // given but is no user of the product.
  void checkExternalSending(const QString& login);
  // Hands the archive to the product's sending program as the wizard's last page does: writes
  // the descriptor beside the archive (with the user of `login`, when there is one) and the
  // command file in the main folder, then starts the program detached with the descriptor's
  // path, without waiting for it. Raises sending::SendingError when no program is configured
  // or the archive is missing, and platform::PlatformError when a file cannot be written (the
  // program is not started then). A program that cannot be started is no exception: the result
  // says `started == false`, and the descriptor stays to be sent.
  sending::ExternalSendResult sendExternal(const QString& archive, const QString& login);

  // The mapping of balance positions to Besti@ positions for the chosen year (its positions,
  // the Besti@ positions valid at its end).
  std::unique_ptr<mapping::TdtmBilMapToBestia> openMapping();
  // The session's own mapping module, shared by the mapping form and the export-side view of
  // the balance positions: opened at first use, moved to the chosen year whenever it changed.
  mapping::TdtmBilMapToBestia& mapping();
  // The user, as the core reaches them (messages, questions).
  platform::UserInterface& ui() const { return ui_; }

  // ---- The sender page's log-in (sender_login.cpp) --------------------------------------------
  // "Zaloguj": the user with this login and password (both exact); nothing for an empty login.
  std::optional<sending::SenderUser> logIn(const QString& login, const QString& password);
  // The preview of the descriptor the external route writes for the archive.
  QStringList externalPreview(const QString& archive, const std::optional<sending::SenderUser>& user) const;
  // sendExternal for a user already found (or logged in); none: the descriptor names no user.
  sending::ExternalSendResult sendExternalAs(const QString& archive, const std::optional<sending::SenderUser>& user);

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

// The parts a command-line report list is looked up in: all of it when it has at most 1400
// characters, else cut after the first "," at or after the 1400th character, and so on.
QStringList idListChunks(const QString& list);

// The run options the stored settings give.
catalogue::RunOptions optionsFromSettings(const platform::Settings& settings);

}  // namespace wertalo::operations
