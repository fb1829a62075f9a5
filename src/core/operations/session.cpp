// Opening an installation, what there is to choose from, and the choice.
#include "core/operations/session.h"

#include <QRegularExpression>
#include <QSet>

#include "core/base/error.h"
#include "core/mapping/bil_map_to_bestia.h"
#include "core/package/paczka.h"
#include "core/package/registry.h"
#include "core/platform/paths.h"

namespace wertalo::operations {

using catalogue::rBudzetJB;
using catalogue::rJB;
using catalogue::rJST;
using catalogue::teBilanse;
using catalogue::TdtmWertaloMain;

namespace {

Error inputError(const QString& message) { return Error(ErrorKind::Input, message); }

}  // namespace

catalogue::RunOptions optionsFromSettings(const platform::Settings& settings) {
  catalogue::RunOptions options;
  options.cbGrupoweJst = settings.cbGrupoweJst;
  options.bDodajInfo = !settings.cbStandardowe;
  options.bRegonSpacje = settings.chkDodajSpacje;
  options.bEksportZatw = settings.chkEksportujZatw;
  options.dirKatalog = settings.dirKatalog;
  options.edtSpecSymbl = settings.edtSpecSymbl;
  return options;
}

Session::Session(platform::UserInterface& ui, const OpenRequest& request)
    : ui_(ui), settings_(request.settingsFile.isEmpty() ? platform::settingsFilePath() : request.settingsFile) {}

Session::~Session() = default;

std::unique_ptr<Session> Session::open(const OpenRequest& request, platform::UserInterface& ui) {
  std::unique_ptr<Session> session(new Session(ui, request));
  const QString winIni = request.winIni.isEmpty() ? platform::winIniPath() : request.winIni;
  session->dtm_ = catalogue::dtmWertaloCreate(ui, winIni, package::ReportRegistry::instance());
  TdtmWertaloMain& dtm = *session->dtm_;
  session->settings_.Odczyt(dtm.installation().PathBestia, ui);
  dtm.setOptions(optionsFromSettings(session->settings_));
  // The budget-unit product exports only budget units.
  if (dtm.RodzajProg() == rBudzetJB) dtm.setRodzajEksportu(rJB);
  session->writer_ = std::make_unique<package::TXMLPaczkaSprawozdan>(dtm);
  return session;
}

void Session::saveSettings(const platform::Settings& settings) {
  platform::Settings stored = settings;
  stored.Zapis(dtm_->installation().PathBestia);
  useSettings(stored);
}

void Session::useSettings(const platform::Settings& settings) {
  settings_ = settings;
  catalogue::RunOptions options = optionsFromSettings(settings_);
  options.chkZapiszPojedynczo = dtm_->options().chkZapiszPojedynczo;
  dtm_->setOptions(options);
}

QStringList Session::years() const {
  QStringList out;
  db::DataSet rok = dtm_->queries().qrRok.data;
  for (rok.first(); !rok.eof(); rok.next()) out << rok.text(u"ROK");
  return out;
}

std::vector<PeriodItem> Session::periods() const {
  std::vector<PeriodItem> out;
  db::DataSet ds = dtm_->queries().qrOkresD.data;
  for (ds.first(); !ds.eof(); ds.next()) {
    const QString okres = ds.text(u"Okres");
    const int okres2 = static_cast<int>(ds.integer(u"Okres2"));
    const QString key = ds.text(u"OpZam");
    // Balance sheets are yearly: only the whole year is a period for them.
    if (dtm_->TypEksportu() == teBilanse && key != QLatin1String("4000")) continue;
    out.push_back({TdtmWertaloMain::OkresTekst(okres, okres2), TdtmWertaloMain::periodCode(okres, okres2), key,
                   key == dtm_->memMain().OkresOkres2});
  }
  return out;
}

std::vector<BudgetUnitItem> Session::budgetUnits() const {
  std::vector<BudgetUnitItem> out;
  db::DataSet jb = dtm_->queries().qrJBObs.data;
  for (jb.first(); !jb.eof(); jb.next()) out.push_back({jb.integer(u"ID_JB"), jb.text(u"NAZWA")});
  return out;
}

void Session::setKind(catalogue::TTypEksportu kind) { dtm_->UstawTypEksporu(kind); }

void Session::chooseYear(const QString& rok) {
  if (!dtm_->chooseYear(rok)) {
    throw inputError(QStringLiteral("Brak roku 20%1 w kalendarzu okresów%2.")
                         .arg(rok, dtm_->TypEksportu() == teBilanse ? QStringLiteral(" bilansów") : QString()));
  }
}

void Session::choosePeriod(const QString& code) {
  for (const PeriodItem& period : periods()) {
    if (period.code == code && dtm_->choosePeriod(period.key)) return;
  }
  throw inputError(QStringLiteral("Brak okresu \"%1\" w roku %2.").arg(code, dtm_->memMain().RokFull()));
}

void Session::chooseBudgetUnits(const QString& list) {
  if (list.isEmpty()) {
    sWybraneJB_.clear();
    dtm_->setRodzajEksportu(dtm_->RodzajProg() == rBudzetJB ? rJB : rJST);
    return;
  }
  static const QRegularExpression form(QRegularExpression::anchoredPattern(QStringLiteral("([0-9]{1,18},)+")));
  if (!form.match(list).hasMatch()) {
    throw inputError(QStringLiteral("Niepoprawna lista jednostek budżetowych: \"%1\" (oczekiwano liczb, każdej zakończonej przecinkiem)")
                         .arg(list));
  }
  QSet<qint64> known;
  for (const BudgetUnitItem& unit : budgetUnits()) known.insert(unit.id);
  QStringList missing;
  for (const QString& id : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    if (!known.contains(id.toLongLong())) missing << id;
  }
  if (!missing.isEmpty()) {
    throw inputError(QStringLiteral("Brak jednostek budżetowych o identyfikatorach %1 w okresie %2 roku %3.")
                         .arg(missing.join(QStringLiteral(", ")), dtm_->chosenPeriodText(), dtm_->memMain().RokFull()));
  }
  sWybraneJB_ = list;
  dtm_->setRodzajEksportu(rJB);
}

void Session::choose(const Choice& choice) {
  setKind(choice.kind);
  QString year = choice.year;
  if (year.isEmpty()) {
    const QStringList all = years();
    if (all.isEmpty()) throw inputError(QStringLiteral("Brak okresów sprawozdawczych w bazie danych."));
    year = all.last();
  }
  chooseYear(year);
  if (!choice.period.isEmpty() && choice.kind == catalogue::teSprawozdania) choosePeriod(choice.period);
  chooseBudgetUnits(choice.budgetUnits);
  refreshSelection();
}

void Session::refreshSelection(bool withChosenUnits) {
  dtm_->SprawozdDoMemo(withChosenUnits ? sWybraneJB_ : QString());
  dtm_->memSelectSpraw().first();
}

void Session::setUnitKind(catalogue::TRodzajEksportu kind) { dtm_->setRodzajEksportu(kind); }

void Session::chooseBudgetUnit(qint64 id) {
  catalogue::MemMain unit = dtm_->memMain();
  unit.ID_JB = id;
  dtm_->setMemMain(unit);
  sWybraneJB_.clear();
}

bool Session::budgetUnitChosen(qint64 id) const {
  // An entry counts only whole: "2," is not in "12,".
  return sWybraneJB_.split(QLatin1Char(','), Qt::SkipEmptyParts).contains(QString::number(id));
}

void Session::toggleBudgetUnit(qint64 id) {
  QStringList units = sWybraneJB_.split(QLatin1Char(','), Qt::SkipEmptyParts);
  const QString entry = QString::number(id);
  if (!units.removeAll(entry)) units << entry;
  sWybraneJB_ = units.isEmpty() ? QString() : units.join(QLatin1Char(',')) + QLatin1Char(',');
}

void Session::selectReports(const QString& ids) {
  dtm_->memSelectSpraw().clear();
  dtm_->setRodzajEksportu(rJB);
  dtm_->SprawidDoMemo(ids, sWybraneJB_);
}

void Session::tickOnly(const std::vector<qint64>& ids) {
  const QSet<qint64> wanted(ids.begin(), ids.end());
  QSet<qint64> found;
  catalogue::SelectTable& table = selection();
  for (int i = 0; i < table.recordCount(); ++i) {
    catalogue::SelectRow& row = table.at(i);
    if (wanted.contains(row.IDSPRAW)) found.insert(row.IDSPRAW);
  }
  const QSet<qint64> missing = wanted - found;
  if (!missing.isEmpty()) {
    QList<qint64> sorted(missing.begin(), missing.end());
    std::sort(sorted.begin(), sorted.end());
    QStringList list;
    for (qint64 id : sorted) list << QString::number(id);
    throw inputError(QStringLiteral("Sprawozdania %1 nie ma wśród sprawozdań do eksportu wybranego roku, okresu i jednostki.")
                         .arg(list.join(QStringLiteral(", "))));
  }
  for (int i = 0; i < table.recordCount(); ++i) table.at(i).SELEKCJA = wanted.contains(table.at(i).IDSPRAW);
}

int Session::summary(QStringList& lines) { return dtm_->WykonajPosumowanie(lines); }

catalogue::ExportResult Session::exportSelection(const package::RunControl& control) {
  // As the wizard does on its way to the export: the unit's REGON with five blanks after it.
  if (options().bRegonSpacje) dtm_->padUnitRegon();
  try {
    return package::WykonajEksport(*dtm_, *writer_, sWybraneJB_, control);
  } catch (const catalogue::ExportStopped&) {
    throw;
  } catch (const Error& e) {
    // The error goes on with what was written before it.
    throw catalogue::ExportStopped(e, writer_->result());
  }
}

namespace {

mapping::MappingPeriod chosenPeriod(const catalogue::MemMain& m) { return {m.ROK, m.OKRES, m.DATAKONCAOKRESU()}; }

}  // namespace

std::unique_ptr<mapping::TdtmBilMapToBestia> Session::openMapping() {
  return std::make_unique<mapping::TdtmBilMapToBestia>(dtm_->DB(), ui_, chosenPeriod(dtm_->memMain()));
}

mapping::TdtmBilMapToBestia& Session::mapping() {
  const mapping::MappingPeriod period = chosenPeriod(dtm_->memMain());
  if (!mapping_) {
    mapping_ = openMapping();
  } else {
    const mapping::MappingPeriod& now = mapping_->period();
    if (now.ROK != period.ROK || now.OKRES != period.OKRES || now.DATAKONCAOKRESU != period.DATAKONCAOKRESU)
      mapping_->setPeriod(period);
  }
  return *mapping_;
}

void Session::completion(const catalogue::ExportResult& result, QStringList& lines, QStringList& files) const {
  dtm_->Zakonczenie(result, lines, files);
}

}  // namespace wertalo::operations
