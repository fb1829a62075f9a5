#include "fixture.h"

#include "core/db/connection.h"
#include "core/db/query.h"
#include "core/db/schema.h"
#include "core/package/xml_writer.h"
#include "support/xml_check.h"

namespace wertalo::test {

void exec(db::Connection& connection, const QString& script) { connection.executeScript(script); }

QString sendingDate(db::Connection& connection, qint64 idspraw, bool jb) {
  const db::DataSet ds = db::openSql(connection, QStringLiteral("select DATAWYSLANIA from %1SPRAWOZD where IDSPRAW=%2")
                                                     .arg(jb ? QStringLiteral("JB") : QString())
                                                     .arg(idspraw));
  if (ds.isEmpty() || ds.isNull(u"DATAWYSLANIA")) return QString();
  return ds.dateTime(u"DATAWYSLANIA").toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

catalogue::SelectRow selectRow(qint64 idspraw, const QString& symbol, const QString& typspr, qint64 idJb) {
  catalogue::SelectRow row;
  row.IDSPRAW = idspraw;
  row.sTypSprBestia = symbol;
  row.TYPSPR = typspr;
  row.ID_JB = idJb;
  row.Wersja = 1;
  row.Data = QDate(2013, 12, 20);
  row.ROK = QStringLiteral("13");
  return row;
}

PackageModule::PackageModule(const db::ConnectionSettings* settings)
    : dtm(ui, QString(), package::ReportRegistry::instance()), paczka(dtm) {
  db::ConnectionSettings memory;
  memory.sqliteFile = QStringLiteral(":memory:");
  dtm.DB().open(settings != nullptr ? *settings : memory);
  db::applySchema(dtm.DB());
  catalogue::MemMain unit;
  unit.ID_JST = 1;
  unit.ROK = QStringLiteral("13");
  unit.OKRES = QStringLiteral("L");
  unit.OKRES2 = 0;
  unit.NAZWA = QStringLiteral("Miasto Testowo");
  unit.TYP = QStringLiteral("M");
  unit.REGON = QStringLiteral("631257816");
  unit.WK = QStringLiteral("30");
  unit.PK = QStringLiteral("64");
  unit.GK = QStringLiteral("01");
  unit.GT = QStringLiteral("1");
  unit.PT = QStringLiteral("1");
  unit.OkresOkres2 = QStringLiteral("4050");
  dtm.setMemMain(unit);
  options([](catalogue::RunOptions& o) { o.bDodajInfo = false; });
  paczka.sRok = QStringLiteral("2013");
  paczka.TypOkresu = catalogue::toMiesiac;
  paczka.sOkres = QStringLiteral("12");
}

void PackageModule::exec(const QString& script) { test::exec(dtm.DB(), script); }

void PackageModule::select(std::initializer_list<catalogue::SelectRow> rows) {
  for (const catalogue::SelectRow& row : rows) dtm.memSelectSpraw().append(row);
  dtm.memSelectSpraw().first();
}

void PackageModule::addBudgetUnit(qint64 idJb, const QString& name, const QString& typJb, const QString& regon,
                                  const QString& regon2) {
  exec(QStringLiteral("INSERT INTO JBOBS (ID_JST, ID_JB, NAZWA, ROK, OKRES, OKRES2, TYP_JB, REGON, REGON_2, WK, PK, GK, GT, PT) "
                      "VALUES (1, %1, '%2', '13', 'L', 0, '%3', '%4', '%5', '30', '64', '02', '2', '%1');\n")
           .arg(idJb)
           .arg(name, typJb, regon, regon2));
}

void PackageModule::prepare(const QString& sWybraneJB) { paczka.setPeriod(dtm.PrzygotujDane(sWybraneJB)); }

std::vector<qint64> writtenIds(const package::BuildRecord& record) {
  std::vector<qint64> ids;
  for (const catalogue::RunReport& report : record.writtenReports) ids.push_back(report.idspraw);
  return ids;
}

void PackageModule::unit(const std::function<void(catalogue::MemMain&)>& change) {
  catalogue::MemMain unit = dtm.memMain();
  change(unit);
  dtm.setMemMain(unit);
}

void PackageModule::options(const std::function<void(catalogue::RunOptions&)>& change) {
  catalogue::RunOptions options = dtm.options();
  change(options);
  dtm.setOptions(options);
}

std::string documentHead() { return "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"; }

std::string lines(std::initializer_list<const char*> text) {
  std::string out;
  for (const char* line : text) {
    out += line;
    out += "\r\n";
  }
  return out;
}

std::string written(const package::XmlFragment& fragment) {
  const QByteArray bytes = package::writeXmlFragment(fragment, 0);
  // A fragment may hold several elements: it is checked inside one root.
  EXPECT_TRUE(isWellFormedXml("<fragment>" + bytes + "</fragment>"));
  return bytes.toStdString();
}

}  // namespace wertalo::test
