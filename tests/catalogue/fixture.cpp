#include "fixture.h"

#include "core/db/connection.h"
#include "core/db/query.h"
#include "core/db/schema.h"
#include "core/package/registry.h"

namespace wertalo::test {

void exec(db::Connection& connection, const QString& script) { connection.executeScript(script); }

namespace {

QString q(const QString& s) { return QLatin1Char('\'') + s + QLatin1Char('\''); }
QString dateOrNull(const QString& d) { return d.isEmpty() ? QStringLiteral("NULL") : q(d); }

}  // namespace

void insertBaseRows(db::Connection& c, const QStringList& years) {
  QString script;
  for (const QString& rok : years) {
    const int year = 2000 + rok.toInt();
    for (int quarter = 1; quarter <= 4; ++quarter) {
      const int parts[] = {-200, -100, -50, 0};
      for (int part : parts) {
        const int firstMonth = (quarter - 1) * 3 + 1;
        const int month = part == 0 ? firstMonth : firstMonth + (part == -200 ? 0 : part == -100 ? 1 : 2);
        const QDate from(year, part == 0 ? firstMonth : month, 1);
        const QDate to = part == 0 ? QDate(year, firstMonth + 2, 1).addMonths(1).addDays(-1)
                                   : QDate(year, month, 1).addMonths(1).addDays(-1);
        const QString opZam = QString::number(quarter) + (part == -200 ? QStringLiteral("200")
                                                           : part == -100 ? QStringLiteral("100")
                                                           : part == -50  ? QStringLiteral("050")
                                                                          : QStringLiteral("000"));
        script += QStringLiteral("INSERT INTO okresD (Rok, Okres, Okres2, OpZam, OpOtw, TYPOKRESU, DPOCZ, DKON) VALUES "
                                 "(%1, %2, %3, %4, %4, %5, %6, %7);\n")
                      .arg(q(rok), q(QString::number(quarter)), QString::number(part), q(opZam),
                           q(part == 0 ? QStringLiteral("K") : QStringLiteral("M")), q(from.toString(Qt::ISODate)),
                           q(to.toString(Qt::ISODate)));
      }
    }
  }
  script += QStringLiteral(
      "INSERT INTO S_JstWyk (ID_JST, DATA_ROZ, DATA_ZAK, WK, PK, GK, GT, PT, TYPJST, NAZWA, REGON) VALUES "
      "(1, '2000-01-01', '2099-12-31', '30', '64', '01', '1', '1', 'M', 'Miasto Poznań', '000000000');\n"
      "INSERT INTO JSTDOP (REGON) VALUES ('631257816');\n"
      "INSERT INTO PARAMS (IDJST) VALUES (1);\n");
  const char* const types[][2] = {{"D", "Rb-27S"},  {"W", "Rb-28S"},   {"F", "Rb-NDS"},   {"P", "Rb-PDP"},
                                  {"RB34", "Rb-34"}, {"BILB", "Bilans budżetu"}, {"BILS", "Bilans skons."},
                                  {"N", "Rb-N"},    {"Z", "Rb-Z"},     {"RB50", "Rb-50"}};
  for (const auto& t : types) {
    script += QStringLiteral("INSERT INTO S_TYPSPR (TYPSPR, Nazwa, NazwaS, GMPW) VALUES (%1, %2, %2, '');\n")
                  .arg(q(QString::fromUtf8(t[0])), q(QString::fromUtf8(t[1])));
  }
  exec(c, script);
}

void insertReport(db::Connection& c, const ReportSpec& r) {
  const bool jb = r.idJb > 0;
  const QString prefix = jb ? QStringLiteral("JB") : QString();
  const QString jbColumn = jb ? QStringLiteral(", ID_JB") : QString();
  const QString jbValue = jb ? QStringLiteral(", ") + QString::number(r.idJb) : QString();
  QString script;
  script += QStringLiteral("INSERT INTO %1SPRAWAKT (ID_JST, ROK, OKRES, OKRES2, TYPSPR, PODTYP, WERSJA, IDSPRAW, DAT_SKW, CZAST%2) "
                           "VALUES (1, %3, %4, 0, %5, %6, %7, %8, '2013-12-20', %9%10);\n")
                .arg(prefix, jbColumn, q(r.rok), q(r.okres), q(r.typspr), QString::number(r.podtyp),
                     QString::number(r.wersja), QString::number(r.idspraw), QString::number(r.czast))
                .arg(jbValue);
  script += QStringLiteral("INSERT INTO %1SPRAWOZD (IDSPRAW, ID_JST, ROK, OKRES, OKRES2, TYPSPR, PODTYP, WERSJA, DAT_SKW, "
                           "DATAZAK, UWAGI%2) VALUES (%3, 1, %4, %5, 0, %6, %7, %8, '2013-12-20', %9, 'uwagi %3'%10);\n")
                .arg(prefix, jbColumn, QString::number(r.idspraw), q(r.rok), q(r.okres), q(r.typspr),
                     QString::number(r.podtyp), QString::number(r.wersja), dateOrNull(r.datazak))
                .arg(jbValue);
  if (r.signedXml) {
    script += QStringLiteral("INSERT INTO %1SPRAWOZDXML (IDSPRAW, czy_epodpisane%2) VALUES (%3, 1%4);\n")
                  .arg(prefix, jbColumn, QString::number(r.idspraw), jbValue);
  }
  exec(c, script);
}

Module::Module() : dtm(ui, QString(), package::ReportRegistry::instance()) {
  db::ConnectionSettings settings;
  settings.sqliteFile = QStringLiteral(":memory:");
  dtm.DB().open(settings);
  db::applySchema(dtm.DB());
}

void Module::options(const std::function<void(catalogue::RunOptions&)>& change) {
  catalogue::RunOptions options = dtm.options();
  change(options);
  dtm.setOptions(options);
}

void Module::unit(const std::function<void(catalogue::MemMain&)>& change) {
  catalogue::MemMain unit = dtm.memMain();
  change(unit);
  dtm.setMemMain(unit);
}

void Module::start(const QString& rok, const QString& opZam) {
  dtm.openCatalogue();
  dtm.chooseYear(rok);
  dtm.choosePeriod(opZam);
}

}  // namespace wertalo::test
