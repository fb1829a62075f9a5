#include "mapping_fixture.h"

#include "core/db/data_set.h"
#include "core/db/query.h"
#include "core/db/schema.h"

#include <cstdlib>

namespace wertalo::test {

using namespace Qt::StringLiterals;

mapping::MappingPeriod year2014() { return {u"14"_s, u"4"_s, QDate(2014, 12, 31)}; }

namespace {

// One database on the server for all tests of the run (making one takes seconds); each test
// empties the tables it fills.
FirebirdDatabase& sharedServer() {
  static FirebirdDatabase* server = [] {
    auto* made = new FirebirdDatabase();
    db::applySchema(*made->connect());
    return made;
  }();
  return *server;
}

void dropSharedServer() { delete &sharedServer(); }

}  // namespace

MappingDb::MappingDb(db::Engine engine) {
  if (engine == db::Engine::Firebird) {
    static const bool dropAtExit = std::atexit(dropSharedServer) == 0;
    (void)dropAtExit;
    connection_ = sharedServer().connect();
    exec(u"delete from BILPOZ;\ndelete from JBBILPOZ;\ndelete from S_BILBESTIA;\ndelete from BILTOBESTIAMAP;\n"_s);
  } else {
    connection_ = memoryDatabase();
  }
}

MappingDb::MappingDb(std::unique_ptr<db::Connection> connection) : connection_(std::move(connection)) {}

void MappingDb::exec(const QString& script) { connection_->executeScript(script); }

void MappingDb::add(const std::vector<Pos>& positions) {
  for (const Pos& p : positions) {
    db::Query q(*connection_);
    q.setSql(u"insert into %1 (ID_BILPOZ, ID_JST, ROK, OKRES, OKRES2, TYP, NAZWA, KOLEJ, PARENT, TYPSPR, DPOCZ, DKON) "
             u"values (:ID, 1, :ROK, :OKRES, 0, :TYP, :NAZWA, :KOLEJ, :PARENT, :TYPSPR, :DPOCZ, :DKON)"_s
                 .arg(p.typspr == u"BILJ"_s ? u"JBBILPOZ"_s : u"BILPOZ"_s));
    const int year = 2000 + p.rok.toInt();
    q.bindInt(u"ID"_s, p.id);
    q.bindText(u"ROK"_s, p.rok);
    q.bindText(u"OKRES"_s, p.okres);
    q.bindText(u"TYP"_s, p.typ);
    q.bindText(u"NAZWA"_s, p.nazwa);
    q.bindInt(u"KOLEJ"_s, p.kolej ? p.kolej : 10 * p.id);
    if (p.parent) q.bindInt(u"PARENT"_s, p.parent);
    else q.bindNull(u"PARENT"_s);
    q.bindText(u"TYPSPR"_s, p.typspr);
    q.bindDate(u"DPOCZ"_s, QDate(year, 1, 1));
    q.bindDate(u"DKON"_s, QDate(year, 12, 31));
    q.execSql();
  }
}

void MappingDb::add(const std::vector<Bestia>& positions) {
  for (const Bestia& b : positions) {
    db::Query q(*connection_);
    q.setSql(u"insert into S_BILBESTIA (ID_BILBESTIA, SYMBOL, NAZWA, TYPSPR, RODZAJ, DPOCZ, DKON) "
             u"values (:ID, :SYMBOL, :NAZWA, :TYPSPR, :RODZAJ, :DPOCZ, :DKON)"_s);
    q.bindInt(u"ID"_s, b.id);
    q.bindText(u"SYMBOL"_s, b.symbol);
    q.bindText(u"NAZWA"_s, b.nazwa);
    q.bindText(u"TYPSPR"_s, b.typspr);
    q.bindText(u"RODZAJ"_s, b.rodzaj);
    q.bindDate(u"DPOCZ"_s, QDate(2010, 1, 1));
    q.bindDate(u"DKON"_s, QDate::fromString(b.dkon, Qt::ISODate));
    q.execSql();
  }
}

void MappingDb::map(const QString& typspr, qint64 idBilPoz, qint64 idBilBestia) {
  db::Query q(*connection_);
  q.setSql(u"insert into BILTOBESTIAMAP (TYPSPR, ID_BILPOZ, ID_BILBESTIA) values (:T, :P, :B)"_s);
  q.bindText(u"T"_s, typspr);
  q.bindInt(u"P"_s, idBilPoz);
  q.bindInt(u"B"_s, idBilBestia);
  q.execSql();
}

QStringList MappingDb::mapRows() {
  db::DataSet rows = db::openSql(*connection_, u"select * from BILTOBESTIAMAP order by TYPSPR, ID_BILPOZ, ID_BILBESTIA"_s);
  QStringList out;
  for (rows.first(); !rows.eof(); rows.next())
    out << u"%1 %2 %3"_s.arg(rows.text(u"TYPSPR")).arg(rows.integer(u"ID_BILPOZ")).arg(rows.integer(u"ID_BILBESTIA"));
  return out;
}

std::unique_ptr<mapping::TdtmBilMapToBestia> MappingDb::module() {
  return std::make_unique<mapping::TdtmBilMapToBestia>(*connection_, ui, year2014());
}

void OnBothEngines::SetUp() {
  if (GetParam() == db::Engine::Firebird) WERTALO_REQUIRE_FIREBIRD();
  m_ = std::make_unique<MappingDb>(GetParam());
}

std::string engineName(const ::testing::TestParamInfo<db::Engine>& info) {
  return info.param == db::Engine::Sqlite ? "Sqlite" : "Firebird";
}

QStringList shown(mapping::PositionQuery& list) {
  QStringList out;
  db::DataSet& rows = list.data();
  for (rows.first(); !rows.eof(); rows.next()) {
    const mapping::PositionFields& f = list.fields();
    out << u"%1 %2 | %3 | %4 | %5"_s.arg(rows.integer(u"ID_BILPOZ")).arg(rows.text(u"NAZWA"), f.sBestiaId, f.sMapStatus,
                                                                          f.sBestiaSymbol);
  }
  rows.first();
  return out;
}

}  // namespace wertalo::test
