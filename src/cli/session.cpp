#include "cli/session.h"

#include "core/catalogue/enums.h"
#include "core/platform/paths.h"

namespace wertalo::cli {

using namespace catalogue;

namespace {

// The OpZam key of the year's period row with this report-table code.
QString periodKey(TdtmWertaloMain& dtm, const QString& code) {
  db::DataSet& periods = dtm.qrOkresD.data;
  for (periods.first(); !periods.eof(); periods.next()) {
    if (TdtmWertaloMain::periodCode(periods.text(u"Okres"), static_cast<int>(periods.integer(u"Okres2"))) == code)
      return periods.text(u"OpZam");
  }
  return QString();
}

}  // namespace

bool openSession(const Options& options, Session& s) {
  const QString winIni = options.winIni.isEmpty() ? platform::winIniPath() : options.winIni;
  s.dtm = dtmWertaloCreate(s.ui, winIni, package::ReportRegistry::instance());
  TdtmWertaloMain& dtm = *s.dtm;
  if (!dtm.DB.isOpen()) return false;  // the installation message was shown
  s.writer = std::make_unique<package::TXMLPaczkaSprawozdan>(dtm);

  s.settings.Odczyt(dtm.PathBestia, s.ui);
  dtm.frmParams.dirKatalog = options.outDir.isEmpty() ? s.settings.dirKatalog : options.outDir;
  dtm.frmParams.edtSpecSymbl = s.settings.edtSpecSymbl;
  dtm.bEksportZatw = s.settings.chkEksportujZatw && !options.allStatuses;
  dtm.bDodajInfo = !(s.settings.cbStandardowe || options.plain);
  dtm.frmWertalo.cbGrupoweJst = s.settings.cbGrupoweJst && !options.noGroupJst;

  if (dtm.RodzajProg == rBudzetJB || !options.jbList.isEmpty()) dtm.RodzajEksportu = rJB;
  dtm.frmWertalo.sWybraneJB = options.jbList;
  if (options.kind == QLatin1String("balances")) dtm.UstawTypEksporu(teBilanse);

  QString year = options.year;
  if (year.isEmpty()) {
    if (dtm.qrRok.data.isEmpty()) {
      err(QStringLiteral("Brak okresów sprawozdawczych w bazie danych.\n"));
      return false;
    }
    dtm.qrRok.data.last();
    year = dtm.qrRok.data.text(u"ROK");
  }
  if (!dtm.chooseYear(year)) {
    err(QStringLiteral("Brak roku 20%1 w kalendarzu okresów%2.\n")
            .arg(year, dtm.TypEksportu == teBilanse ? QStringLiteral(" bilansów") : QString()));
    return false;
  }
  if (!options.period.isEmpty() && dtm.TypEksportu == teSprawozdania) {
    const QString key = periodKey(dtm, options.period);
    if (key.isEmpty() || !dtm.choosePeriod(key)) {
      err(QStringLiteral("Brak okresu \"%1\" w roku 20%2.\n").arg(options.period, year));
      return false;
    }
  }
  if (dtm.RodzajEksportu == rJB && options.jbList.isEmpty()) {
    err(QStringLiteral("Zainstalowany jest program jednostek budżetowych: wskaż jednostki opcją --jb "
                       "(ich identyfikatory pokazuje wertalo-cli list).\n"));
  }
  dtm.SprawozdDoMemo(dtm.frmWertalo.sWybraneJB);
  dtm.memSelectSpraw.first();
  return true;
}

}  // namespace wertalo::cli
