// The selection table: which reports are offered, their Besti@ symbols, classification
// labels and signature flags, and the preparation of an export run.
#include "core/catalogue/wertalo_main.h"

#include <QRegularExpression>


#include "core/base/error.h"
#include "core/db/ids_read.h"
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

}  // namespace

void requireIdList(const QString& list, const char* what) {
  static const QRegularExpression form(QRegularExpression::anchoredPattern(QStringLiteral("([0-9]+,)+")));
  if (!form.match(list).hasMatch()) {
    throw Error(ErrorKind::Input, QStringLiteral("Niepoprawna lista %1: \"%2\" (oczekiwano liczb, każdej zakończonej przecinkiem)")
                                      .arg(QString::fromUtf8(what), list));
  }
}

bool TdtmWertaloMain::SprawdzCzyEksportowane(const QString& sTypSpr) const {
  if (TypEksportu_ == teBilanse) return true;
  return types_.offered(sTypSpr, RodzajEksportu_);
}

QString TdtmWertaloMain::signatureTable(TRodzajEksportu kind) const {
  return kind == rJB ? QStringLiteral("jbsprawozdxml") : QStringLiteral("sprawozdxml");
}

QHash<qint64, bool> TdtmWertaloMain::signatureFlags(const std::vector<ReportRow>& reports, TRodzajEksportu kind) {
  // One read for all reports instead of one statement per report: a report is signed when the
  // first row of its electronic form holds 1.
  std::vector<qint64> ids;
  ids.reserve(reports.size());
  for (const ReportRow& report : reports) ids.push_back(report.IDSPRAW);
  const db::RowsByKey forms(db::openForIdStretches(db_,
                                                   QStringLiteral("select idspraw, czy_epodpisane from ") + signatureTable(kind) +
                                                       QStringLiteral(" where idspraw "),
                                                   QStringLiteral("idspraw"), ids),
                            u"idspraw");
  QHash<qint64, bool> flags;
  for (const qint64 id : ids) {
    const db::DataSet form = forms.rowsOf(id);
    flags.insert(id, !form.isEmpty() && !form.isNull(u"czy_epodpisane") && form.integer(u"czy_epodpisane") == 1);
  }
  return flags;
}

void TdtmWertaloMain::addSelectRows(const std::vector<ReportRow>& reports, TRodzajEksportu kind) {
  std::vector<ReportRow> offered;
  for (const ReportRow& report : reports) {
    if (report.WERSJA < 0) continue;
    if (!SprawdzCzyEksportowane(report.TYPSPR)) continue;
    if (options_.bEksportZatw && report.StatusSpraw != QLatin1String("Zatwierdzone")) continue;
    offered.push_back(report);
  }
  const QHash<qint64, bool> signedReports = signatureFlags(offered, kind);
  for (const ReportRow& report : offered) addSelectRow(report, kind, signedReports.value(report.IDSPRAW));
}

void TdtmWertaloMain::addSelectRow(const ReportRow& report, TRodzajEksportu kind, bool podpisane) {
  SelectRow row;
  if (kind == rJB) row.ID_JB = report.ID_JB;
  row.ROK = memMain_.ROK;
  row.TYPSPR = report.TYPSPR;
  row.IDSPRAW = report.IDSPRAW;
  row.Data = report.DAT_SKW;
  row.Wersja = report.WERSJA;
  row.CZAST = report.CZAST;
  row.PODTYP = report.PODTYP;
  row.SELEKCJA = true;
  row.podpisane = podpisane;
  memSelectSpraw_.append(std::move(row));
}

void TdtmWertaloMain::classificationLabel(SelectRow& row, CatalogueQuery& plan) {
  if (!plan.active) return;
  db::DataSet& p = plan.data;
  // A budget unit's plan row is its own: with several units chosen, the same sub-type has
  // one plan row per unit.
  const bool found = &plan == &q_.qrJBSprawPlan
                         ? p.locate({{QStringLiteral("PODTYP"), row.PODTYP}, {QStringLiteral("ID_JB"), row.ID_JB}})
                         : p.locate(QStringLiteral("PODTYP"), row.PODTYP);
  if (found) takePlanRow(row, p, options_.edtSpecSymbl);
}

void TdtmWertaloMain::keepBudgetUnitRows(std::vector<ReportRow> rows) {
  jbRowsCache_ = std::move(rows);
  jbRowByIdspraw_.clear();
  // The first row of an identifier is the one the completion takes.
  for (size_t i = 0; i < jbRowsCache_.size(); ++i) {
    if (!jbRowByIdspraw_.contains(jbRowsCache_[i].IDSPRAW)) jbRowByIdspraw_.insert(jbRowsCache_[i].IDSPRAW, i);
  }
}

void TdtmWertaloMain::completeRow(SelectRow& row, bool withCalcSpraw) {
  const auto jbRow = jbRowByIdspraw_.constFind(row.IDSPRAW);
  if (jbRow != jbRowByIdspraw_.constEnd()) {
    const ReportRow& jb = jbRowsCache_[jbRow.value()];
    row.Status = jb.StatusSpraw;
    row.WersjaSlownie = jb.WersjaSlownie;
    row.SprawNazwa = jb.TypSprNazwaS;
    row.Wersja = jb.WERSJA;
  }
  row.sTypSprBestia = symbolForType(row.TYPSPR);
  if (withCalcSpraw && RodzajEksportu_ == rJST && RodzajProg_ == rBudzetJST) {
    db::DataSet& calc = q_.qrCalcSpraw.data;
    if (q_.qrCalcSpraw.active && calc.locate(QStringLiteral("IDSPRAW"), row.IDSPRAW)) {
      const ReportWords words = headerWords(q_.qrSprawozd, findHeader(q_.qrSprawozd, rJST, row.IDSPRAW));
      const QString type = calc.text(u"TYPSPR");
      row.SprawNazwa = q_.qrS_TypSpr.active && q_.qrS_TypSpr.data.locate(QStringLiteral("TYPSPR"), type)
                           ? q_.qrS_TypSpr.data.text(u"NazwaS")
                           : QString();
      row.WersjaSlownie = words.WersjaSlownie;
      row.Status = words.StatusSpraw;
      row.Wersja = static_cast<int>(calc.integer(u"WERSJA"));
    }
    classificationLabel(row, q_.qrSprawPlan);
  }
  if (RodzajEksportu_ == rJB) classificationLabel(row, q_.qrJBSprawPlan);
}

void TdtmWertaloMain::SprawozdDoMemo(const QString& sWybraneJB) {
  if (!sWybraneJB.isEmpty()) requireIdList(sWybraneJB, "jednostek budżetowych");
  // The whole list is read from one state of the database, under one lock.
  db::ReadTransaction reading(db_);
  memSelectSpraw_.clear();
  memSelectSpraw_.setIndex(SelectTable::Index::None);

  if (RodzajProg_ == rBudzetJST) {
    open(q_.qrSprawozd);
    open(q_.qrSprawAkt);
    open(q_.qrCalcSpraw);
    addSelectRows(reportRows(rJST), rJST);
  }

  const QString reportUnits = unitCondition(sWybraneJB, sWybraneJB.isEmpty() ? QStringLiteral(" ") : QString());
  q_.qrJBSprawozd.query.setLine(6, reportUnits);
  q_.qrJBSprawAkt.query.setLine(6, reportUnits);
  q_.qrJBSprawPlan.query.setLine(5, unitCondition(sWybraneJB, QStringLiteral(" ")));
  if (RodzajProg_ == rBudzetJST) open(q_.qrSprawPlan);
  addBudgetUnitRows();
  completeRows(true, RodzajEksportu_ == rJST ? q_.qrSprawozd : q_.qrJBSprawozd, RodzajEksportu_ == rJB);
}

void TdtmWertaloMain::addBudgetUnitRows() {
  open(q_.qrJBSprawozd);
  open(q_.qrJBSprawPlan);
  open(q_.qrJBSprawAkt);
  open(q_.qryJBDop);
  keepBudgetUnitRows(reportRows(rJB));
  addSelectRows(jbRowsCache_, rJB);
}

void TdtmWertaloMain::completeRows(bool withCalcSpraw, CatalogueQuery& headers, bool withDate) {
  for (memSelectSpraw_.first(); !memSelectSpraw_.eof(); memSelectSpraw_.next()) {
    SelectRow& row = memSelectSpraw_.current();
    completeRow(row, withCalcSpraw);
    row.sNazwa = row.SprawNazwa;
    row.sStatus = row.Status;
    row.cWersja = row.Wersja;
    if (withDate) row.cData = row.Data;
    if (headers.active && headers.data.locate(QStringLiteral("IDSPRAW"), row.IDSPRAW)) row.Uwagi = headers.data.text(u"UWAGI");
  }
}

void TdtmWertaloMain::SprawidDoMemo(const QString& sprawid, const QString& sWybraneJB) {
  // Both lists go into statements: both must be there and well formed before anything changes.
  requireIdList(sprawid, "sprawozdań");
  requireIdList(sWybraneJB, "jednostek budżetowych");
  db::ReadTransaction reading(db_);
  const QString ids = QStringLiteral("(IDSPRAW in(") + withoutLastChar(sprawid) + QStringLiteral("))");
  q_.qrJBSprawAkt.query.setLine(6, ids);
  q_.qrJBSprawozd.query.setLine(6, ids);
  q_.qrJBSprawPlan.query.setLine(5, unitCondition(sWybraneJB, QStringLiteral(" ")));
  addBudgetUnitRows();
  completeRows(false, q_.qrJBSprawozd, true);
  memSelectSpraw_.first();
}

std::optional<ReportListOrigin> TdtmWertaloMain::reportListOrigin(const QString& sprawid) {
  requireIdList(sprawid, "sprawozdań");
  const QString ids = withoutLastChar(sprawid);
  const db::DataSet first = db::openSql(db_, QStringLiteral("SELECT FIRST 1 ROK,OKRES FROM JBSPRAWOZD WHERE IDSPRAW IN (") + ids + u')');
  if (first.isEmpty()) return std::nullopt;
  ReportListOrigin origin{first.text(u"ROK"), first.text(u"OKRES"), {}};
  db::DataSet units = db::openSql(db_, QStringLiteral("SELECT DISTINCT ID_JB FROM JBSPRAWOZD WHERE IDSPRAW IN (") + ids + u')');
  for (units.first(); !units.eof(); units.next()) origin.units.push_back(units.integer(u"ID_JB"));
  return origin;
}

WriterPeriod TdtmWertaloMain::PrzygotujDane(const QString& sWybraneJB) {
  if (!sWybraneJB.isEmpty()) requireIdList(sWybraneJB, "jednostek budżetowych");
  WriterPeriod period;
  period.sRok = memMain_.RokFull();
  const QChar first = memMain_.OKRES.isEmpty() ? QChar() : memMain_.OKRES[0];
  period.TypOkresu = first >= QLatin1Char('1') && first <= QLatin1Char('4') ? toKwartal : toMiesiac;
  period.sOkres = text::OkresToOkresBestia(memMain_.OKRES);
  close(q_.qrJBObsAkt);
  q_.qrJBObsAkt.query.setLine(2, unitCondition(sWybraneJB, QStringLiteral(" AND")));
  q_.qrJBSprawPlan.query.setLine(5, unitCondition(sWybraneJB, QStringLiteral(" ")));
  open(q_.qrJBObsAkt);
  open(q_.qrJBSprawPlan);
  return period;
}

void TdtmWertaloMain::padUnitRegon() { memMain_.REGON = memMain_.REGON.trimmed() + QStringLiteral("     "); }

void takePlanRow(SelectRow& row, const db::DataSet& plan, const QString& specialSymbol) {
  row.sCzesc = plan.text(u"VAL1");
  row.sDzial = plan.text(u"DZIAL");
  row.sRozdzial = plan.text(u"ROZDZIAL");
  if (row.sTypSprBestia == QLatin1String("Rb-34")) row.sCzesc = specialSymbol;
  if (plan.text(u"VAL1") == QLatin1String("0") && row.sTypSprBestia == QLatin1String("Rb-34"))
    row.sTypSprBestia = QStringLiteral("Rb-34s");
  QString label;
  if (!row.sCzesc.isEmpty()) label = QStringLiteral("S-") + row.sCzesc;
  if (!row.sDzial.isEmpty()) label += QStringLiteral(" D-") + row.sDzial;
  if (!row.sRozdzial.isEmpty()) label += QStringLiteral(" R-") + row.sRozdzial;
  row.sNazwaCzesc = label;
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
