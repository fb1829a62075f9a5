// Years, periods, the unit and the report lists with their version and status words.
#include "core/catalogue/wertalo_main.h"

#include <QDateTime>

#include "core/db/db_error.h"
#include "core/text/period.h"

namespace wertalo::catalogue {

namespace {

// A report whose closing date is later than this day is approved.
const QDate kApprovedAfter(1999, 1, 1);

bool isBalanceType(const QString& typspr) { return typspr.startsWith(QLatin1String("BIL")); }

}  // namespace

QString TdtmWertaloMain::periodCode(const QString& okres, int okres2) {
  return text::OkresDToOkres(okres, okres2);
}

QString TdtmWertaloMain::OkresTekst(const QString& okres, int okres2) {
  static const char* const kMonths[4][3] = {
      {"styczeń", "luty", "marzec"},
      {"kwiecień", "maj", "czerwiec"},
      {"lipiec", "sierpień", "wrzesień"},
      {"październik", "listopad", "grudzień"},
  };
  if (okres.isEmpty()) return QString();
  const int quarter = okres[0].unicode() - '0';
  if (quarter < 1 || quarter > 4) return QString();
  switch (okres2) {
    case -200: return QString::fromUtf8(kMonths[quarter - 1][0]);
    case -100: return QString::fromUtf8(kMonths[quarter - 1][1]);
    case -50: return QString::fromUtf8(kMonths[quarter - 1][2]);
    case 0: return QStringLiteral("kwart. ") + okres;
    default: return QString();
  }
}

ReportWords TdtmWertaloMain::wordsFor(bool found, int wersja, const QDate& datazak) {
  if (!found || wersja < 0) return {QStringLiteral("Brak"), QString()};
  ReportWords words;
  words.WersjaSlownie = wersja == 0 ? QStringLiteral("Pierwotne") : QStringLiteral("Korekta ") + QString::number(wersja);
  words.StatusSpraw = datazak.isValid() && datazak > kApprovedAfter ? QStringLiteral("Zatwierdzone")
                                                                                           : QStringLiteral("Otwarte");
  return words;
}

QDate TdtmWertaloMain::closingDate(const db::DataSet& report) {
  if (report.isNull(u"DATAZAK")) return QDate();
  try {
    return report.date(u"DATAZAK");
  } catch (const db::DbError&) {
    return QDate();  // a closing date that is no date approves nothing
  }
}

void TdtmWertaloMain::unitDataChanged() {
  if (q_.qrJSTWyk.data.eof()) return;
  open(q_.qrJSTDop);
  const db::DataSet& u = q_.qrJSTWyk.data;
  memMain_.ID_JST = u.integer(u"ID_JST");
  memMain_.WK = u.text(u"WK");
  memMain_.PK = u.text(u"PK");
  memMain_.GK = u.text(u"GK");
  memMain_.PT = u.text(u"PT");
  memMain_.GT = u.text(u"GT");
  memMain_.REGON = u.text(u"REGON");
  memMain_.TYP = u.text(u"TYPJST");
  memMain_.NAZWA = u.text(u"NAZWA");
  db::DataSet& dop = q_.qrJSTDop.data;
  dop.first();
  memMain_.REGON = dop.eof() ? QString() : dop.text(u"REGON");
}

void TdtmWertaloMain::yearRowChanged() {
  if (q_.qrOkres.data.eof()) return;
  const QString rok = q_.qrOkres.data.text(u"ROK");
  if (memMain_.ROK == rok) return;
  memMain_.ROK = rok;
  if (!q_.qrOkresD.data.eof()) takePeriodRow(q_.qrOkresD.data);
}

void TdtmWertaloMain::takePeriodRow(const db::DataSet& period) {
  const QString okres = period.text(u"Okres");
  const int okres2 = static_cast<int>(period.integer(u"Okres2"));
  memMain_.OKRES = text::OkresDToOkres(okres, okres2);
  memMain_.OKRES2 = text::Okres2DToOkres2(okres, okres2);
  memMain_.OkresOkres2 = period.text(u"OpZam");
}

bool TdtmWertaloMain::chooseYear(const QString& rok) {
  if (!q_.qrRok.data.locate(QStringLiteral("ROK"), rok)) return false;
  open(q_.qrOkres);
  open(q_.qrOkresD);
  yearRowChanged();
  // As the year picker does: the latest period of the year becomes the chosen one.
  db::DataSet& periods = q_.qrOkresD.data;
  if (!periods.isEmpty()) {
    periods.last();
    takePeriodRow(periods);
  }
  refreshReports();
  return true;
}

bool TdtmWertaloMain::choosePeriod(const QString& opZam) {
  db::DataSet& periods = q_.qrOkresD.data;
  if (!periods.locate(QStringLiteral("OpZam"), opZam)) return false;
  takePeriodRow(periods);
  refreshReports();
  return true;
}

bool TdtmWertaloMain::findHeader(CatalogueQuery& headers, TRodzajEksportu kind, qint64 idspraw) const {
  if (!headers.active) return false;
  // The unit's own reports are looked up in the chosen year; a budget unit's by identifier.
  return kind == rJST ? headers.data.locate({{QStringLiteral("IDSPRAW"), idspraw}, {QStringLiteral("ROK"), memMain_.ROK}})
                      : headers.data.locate(QStringLiteral("IDSPRAW"), idspraw);
}

ReportWords TdtmWertaloMain::headerWords(const CatalogueQuery& headers, bool found) {
  if (!found) return wordsFor(false, 0, QDate());
  return wordsFor(true, static_cast<int>(headers.data.integer(u"WERSJA")), closingDate(headers.data));
}

std::vector<ReportRow> TdtmWertaloMain::reportRows(TRodzajEksportu kind) {
  std::vector<ReportRow> rows;
  // Each report list shows rows only for its own unit kind, and of the chosen export kind.
  if (kind != RodzajEksportu_) return rows;
  CatalogueQuery& reports = kind == rJST ? q_.qrSprawAkt : q_.qrJBSprawAkt;
  CatalogueQuery& headers = kind == rJST ? q_.qrSprawozd : q_.qrJBSprawozd;
  if (!reports.active) return rows;
  db::DataSet& r = reports.data;
  db::DataSet& h = headers.data;
  db::DataSet& types = q_.qrS_TypSpr.data;
  for (r.first(); !r.eof(); r.next()) {
    ReportRow row;
    row.TYPSPR = r.text(u"TYPSPR");
    if (isBalanceType(row.TYPSPR) != (TypEksportu_ == teBilanse)) continue;
    row.IDSPRAW = r.integer(u"IDSPRAW");
    row.WERSJA = static_cast<int>(r.integer(u"WERSJA"));
    row.DAT_SKW = r.isNull(u"DAT_SKW") ? QDate() : r.date(u"DAT_SKW");
    row.CZAST = static_cast<int>(r.integer(u"CZAST"));
    row.PODTYP = static_cast<int>(r.integer(u"PODTYP"));
    if (kind == rJB) row.ID_JB = r.integer(u"ID_JB");

    const bool found = findHeader(headers, kind, row.IDSPRAW);
    const ReportWords words = headerWords(headers, found);
    row.WersjaSlownie = words.WersjaSlownie;
    row.StatusSpraw = words.StatusSpraw;
    if (found) row.Uwagi = h.text(u"UWAGI");

    const bool typeFound = q_.qrS_TypSpr.active && types.locate(QStringLiteral("TYPSPR"), row.TYPSPR);
    if (kind == rJST) {
      row.TypSprNazwaS = typeFound ? types.text(u"NazwaS") : QString();
    } else {
      if (q_.qryJBDop.active && q_.qryJBDop.data.locate(QStringLiteral("ID_JB"), row.ID_JB))
        row.URZAD = q_.qryJBDop.data.text(u"URZAD");
      if (row.TYPSPR == QLatin1String("BILL")) row.TypSprNazwaS = QStringLiteral("Bilans łączny: ") + row.URZAD;
      if (typeFound) row.TypSprNazwaS = types.text(u"NazwaS") + QLatin1Char(' ') + row.URZAD;
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace wertalo::catalogue
