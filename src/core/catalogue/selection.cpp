// The selection table: which reports are offered, their Besti@ symbols, classification
// labels and signature flags, and the preparation of an export run.
#include "core/catalogue/wertalo_main.h"

#include <QRegularExpression>

#include <array>
#include <stdexcept>

#include "core/db/query.h"
#include "core/text/period.h"

namespace wertalo::catalogue {

namespace {

QString withoutLastChar(const QString& s) { return s.left(s.size() - 1); }

// The budget-unit condition of a statement line: the listed units ("7,9," → "(ID_JB in(7,9))"
// followed by `tail`), or the single unit of memMain ("         (ID_JB=:ID_JB)" and `tail`).
QString unitCondition(const QString& units, const QString& tail) {
  return units.isEmpty() ? QStringLiteral("         (ID_JB=:ID_JB)") + tail
                         : QStringLiteral("(ID_JB in(") + withoutLastChar(units) + QStringLiteral("))") + tail;
}

// A list of identifiers as the wizard keeps it: decimal numbers each followed by ",". It is
// put into statements, so nothing else may pass.
void requireIdList(const QString& list, const char* what) {
  static const QRegularExpression form(QStringLiteral("^([0-9]+,)+$"));
  if (!form.match(list).hasMatch()) {
    throw std::invalid_argument(QStringLiteral("Niepoprawna lista %1: \"%2\" (oczekiwano liczb, każdej zakończonej przecinkiem)")
                                    .arg(QString::fromUtf8(what), list)
                                    .toStdString());
  }
}

}  // namespace

bool TdtmWertaloMain::SprawdzCzyEksportowane(const QString& sTypSpr) const {
  if (TypEksportu == teBilanse) return true;
  return types_.offered(sTypSpr, RodzajEksportu);
}

QString TdtmWertaloMain::signatureTable(TRodzajEksportu kind) const {
  return kind == rJB ? QStringLiteral("jbsprawozdxml") : QStringLiteral("sprawozdxml");
}

void TdtmWertaloMain::addSelectRow(const ReportRow& report, TRodzajEksportu kind) {
  if (report.WERSJA < 0) return;
  if (!SprawdzCzyEksportowane(report.TYPSPR)) return;
  if (bEksportZatw && report.StatusSpraw != QLatin1String("Zatwierdzone")) return;
  SelectRow row;
  if (kind == rJB) row.ID_JB = report.ID_JB;
  row.ROK = memMain.ROK;
  row.TYPSPR = report.TYPSPR;
  row.IDSPRAW = report.IDSPRAW;
  row.Data = report.DAT_SKW;
  row.Wersja = report.WERSJA;
  row.CZAST = report.CZAST;
  row.PODTYP = report.PODTYP;
  row.SELEKCJA = true;
  const db::DataSet signature = db::openSql(
      DB, QStringLiteral("select czy_epodpisane from ") + signatureTable(kind) + QStringLiteral(" where idspraw=") +
              QString::number(report.IDSPRAW));
  row.podpisane = !signature.isEmpty() && !signature.isNull(u"czy_epodpisane") && signature.integer(u"czy_epodpisane") == 1;
  memSelectSpraw.append(std::move(row));
}

void TdtmWertaloMain::classificationLabel(SelectRow& row, CatalogueQuery& plan) {
  if (!plan.active) return;
  db::DataSet& p = plan.data;
  // A budget unit's plan row is its own: with several units chosen, the same sub-type has
  // one plan row per unit.
  const bool found = &plan == &qrJBSprawPlan
                         ? p.locate({{QStringLiteral("PODTYP"), row.PODTYP}, {QStringLiteral("ID_JB"), row.ID_JB}})
                         : p.locate(QStringLiteral("PODTYP"), row.PODTYP);
  if (!found) return;
  row.sCzesc = p.text(u"VAL1");
  row.sDzial = p.text(u"DZIAL");
  row.sRozdzial = p.text(u"ROZDZIAL");
  if (row.sTypSprBestia == QLatin1String("Rb-34")) row.sCzesc = frmParams.edtSpecSymbl;
  if (p.text(u"VAL1") == QLatin1String("0") && row.sTypSprBestia == QLatin1String("Rb-34"))
    row.sTypSprBestia = QStringLiteral("Rb-34s");
  QString label;
  if (!row.sCzesc.isEmpty()) label = QStringLiteral("S-") + row.sCzesc;
  if (!row.sDzial.isEmpty()) label += QStringLiteral(" D-") + row.sDzial;
  if (!row.sRozdzial.isEmpty()) label += QStringLiteral(" R-") + row.sRozdzial;
  row.sNazwaCzesc = label;
}

void TdtmWertaloMain::completeRow(SelectRow& row, bool withCalcSpraw) {
  for (const ReportRow& jb : jbRowsCache_) {
    if (jb.IDSPRAW != row.IDSPRAW) continue;
    row.Status = jb.StatusSpraw;
    row.WersjaSlownie = jb.WersjaSlownie;
    row.SprawNazwa = jb.TypSprNazwaS;
    row.Wersja = jb.WERSJA;
    break;
  }
  row.sTypSprBestia = symbolForType(row.TYPSPR);
  if (withCalcSpraw && RodzajEksportu == rJST && RodzajProg == rBudzetJST) {
    db::DataSet& calc = qrCalcSpraw.data;
    if (qrCalcSpraw.active && calc.locate(QStringLiteral("IDSPRAW"), row.IDSPRAW)) {
      const ReportWords words = headerWords(qrSprawozd, findHeader(qrSprawozd, rJST, row.IDSPRAW));
      const QString type = calc.text(u"TYPSPR");
      row.SprawNazwa = qrS_TypSpr.active && qrS_TypSpr.data.locate(QStringLiteral("TYPSPR"), type)
                           ? qrS_TypSpr.data.text(u"NazwaS")
                           : QString();
      row.WersjaSlownie = words.WersjaSlownie;
      row.Status = words.StatusSpraw;
      row.Wersja = static_cast<int>(calc.integer(u"WERSJA"));
    }
    classificationLabel(row, qrSprawPlan);
  }
  if (RodzajEksportu == rJB) classificationLabel(row, qrJBSprawPlan);
}

void TdtmWertaloMain::SprawozdDoMemo(const QString& sWybraneJB) {
  if (frmWertalo.bZamianStronyAutomatyczna) return;
  if (!sWybraneJB.isEmpty()) requireIdList(sWybraneJB, "jednostek budżetowych");
  memSelectSpraw.clear();
  memSelectSpraw.setIndex(SelectTable::Index::None);

  if (RodzajProg == rBudzetJST) {
    open(qrSprawozd);
    open(qrSprawAkt);
    open(qrCalcSpraw);
    for (const ReportRow& report : reportRows(rJST)) addSelectRow(report, rJST);
  }

  const QString reportUnits = unitCondition(sWybraneJB, sWybraneJB.isEmpty() ? QStringLiteral(" ") : QString());
  qrJBSprawozd.query.setLine(6, reportUnits);
  qrJBSprawAkt.query.setLine(6, reportUnits);
  qrJBSprawPlan.query.setLine(5, unitCondition(sWybraneJB, QStringLiteral(" ")));
  open(qrJBSprawozd);
  open(qrJBSprawPlan);
  open(qrJBSprawAkt);
  open(qryJBDop);
  if (RodzajProg == rBudzetJST) open(qrSprawPlan);
  jbRowsCache_ = reportRows(rJB);
  for (const ReportRow& report : jbRowsCache_) addSelectRow(report, rJB);

  for (memSelectSpraw.first(); !memSelectSpraw.eof(); memSelectSpraw.next()) {
    SelectRow& row = memSelectSpraw.current();
    completeRow(row, true);
    row.sNazwa = row.SprawNazwa;
    row.sStatus = row.Status;
    row.cWersja = row.Wersja;
    if (RodzajEksportu == rJB) row.cData = row.Data;
    CatalogueQuery& headers = RodzajEksportu == rJST ? qrSprawozd : qrJBSprawozd;
    if (headers.active && headers.data.locate(QStringLiteral("IDSPRAW"), row.IDSPRAW)) row.Uwagi = headers.data.text(u"UWAGI");
  }
}

void TdtmWertaloMain::SprawidDoMemo(const QString& sprawid) {
  // Both lists go into statements: both must be there and well formed before anything changes.
  requireIdList(sprawid, "sprawozdań");
  requireIdList(frmWertalo.sWybraneJB, "jednostek budżetowych");
  const QString ids = QStringLiteral("(IDSPRAW in(") + withoutLastChar(sprawid) + QStringLiteral("))");
  qrJBSprawAkt.query.setLine(6, ids);
  qrJBSprawozd.query.setLine(6, ids);
  qrJBSprawPlan.query.setLine(5, unitCondition(frmWertalo.sWybraneJB, QStringLiteral(" ")));
  open(qrJBSprawAkt);
  open(qrJBSprawozd);
  open(qrJBSprawPlan);
  open(qryJBDop);
  jbRowsCache_ = reportRows(rJB);
  for (const ReportRow& report : jbRowsCache_) addSelectRow(report, rJB);
  for (memSelectSpraw.first(); !memSelectSpraw.eof(); memSelectSpraw.next()) {
    SelectRow& row = memSelectSpraw.current();
    completeRow(row, false);
    row.sNazwa = row.SprawNazwa;
    row.sStatus = row.Status;
    row.cData = row.Data;
    row.cWersja = row.Wersja;
    if (qrJBSprawozd.data.locate(QStringLiteral("IDSPRAW"), row.IDSPRAW)) row.Uwagi = qrJBSprawozd.data.text(u"UWAGI");
  }
  memSelectSpraw.first();
}

WriterPeriod TdtmWertaloMain::PrzygotujDane(const QString& sWybraneJB) {
  if (!sWybraneJB.isEmpty()) requireIdList(sWybraneJB, "jednostek budżetowych");
  WriterPeriod period;
  period.sRok = memMain.RokFull();
  const QChar first = memMain.OKRES.isEmpty() ? QChar() : memMain.OKRES[0];
  period.TypOkresu = first >= QLatin1Char('1') && first <= QLatin1Char('4') ? toKwartal : toMiesiac;
  period.sOkres = text::OkresToOkresBestia(memMain.OKRES);
  close(qrJBObsAkt);
  qrJBObsAkt.query.setLine(2, unitCondition(sWybraneJB, QStringLiteral(" AND")));
  qrJBSprawPlan.query.setLine(5, unitCondition(sWybraneJB, QStringLiteral(" ")));
  open(qrJBObsAkt);
  open(qrJBSprawPlan);
  return period;
}

QString SymbolZNazwy(const QString& sNazwa) {
  QString out;
  for (qsizetype i = 0; i + 1 < sNazwa.size(); ++i) {
    if (sNazwa[i] == QLatin1Char(' ')) break;
    out += sNazwa[i];
  }
  return out;
}

}  // namespace wertalo::catalogue
