// The schema of the product's database: it applies to both engines, both end up with the
// same tables and columns, declared types and widths are the ones the system relies on, and
// the values the system reads come back exactly.
#include <QDate>
#include <QDateTime>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

#include "core/db/connection.h"
#include "core/db/query.h"
#include "core/db/schema.h"
#include "support/databases.h"

namespace wertalo::db {
namespace {

using text::Currency;

// Table name (upper case) to its column names (upper case), in column order.
using Columns = QMap<QString, QStringList>;

Columns columnsOf(Connection& connection) {
  Columns result;
  const QSqlDatabase database = connection.database();
  for (const QString& table : connection.tableNames()) {
    const QSqlRecord record = database.record(table);
    QStringList names;
    for (int i = 0; i < record.count(); ++i) names.append(record.fieldName(i).toUpper());
    result.insert(table.toUpper(), names);
  }
  return result;
}

QStringList upper(const QStringList& names) {
  QStringList out;
  for (const QString& n : names) out.append(n.toUpper());
  return out;
}

// The declared type of a column in the form of the schema ("VARCHAR(252)", "NUMERIC(18,4)").
QString declaredType(Connection& connection, const QString& table, const QString& column) {
  if (connection.engine() == Engine::Sqlite) {
    DataSet rows = openSql(connection, QStringLiteral("PRAGMA table_info(%1)").arg(table));
    for (rows.first(); !rows.eof(); rows.next()) {
      if (rows.text(u"name").compare(column, Qt::CaseInsensitive) == 0) return rows.text(u"type");
    }
    return QString();
  }
  Query q(connection);
  q.setSql(QStringLiteral(
      "select f.RDB$FIELD_TYPE as T, f.RDB$FIELD_SUB_TYPE as ST, f.RDB$CHARACTER_LENGTH as L, "
      "f.RDB$FIELD_PRECISION as P, f.RDB$FIELD_SCALE as S from RDB$RELATION_FIELDS rf "
      "join RDB$FIELDS f on f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE "
      "where rf.RDB$RELATION_NAME = :TABELA and rf.RDB$FIELD_NAME = :KOLUMNA"));
  q.bindText(QStringLiteral("TABELA"), table.toUpper());
  q.bindText(QStringLiteral("KOLUMNA"), column.toUpper());
  const DataSet ds = q.open();
  if (ds.isEmpty()) return QString();
  switch (ds.integer(u"T")) {
    case 8: return QStringLiteral("INTEGER");
    case 12: return QStringLiteral("DATE");
    case 35: return QStringLiteral("TIMESTAMP");
    case 37: return QStringLiteral("VARCHAR(%1)").arg(ds.integer(u"L"));
    case 16: return QStringLiteral("NUMERIC(%1,%2)").arg(ds.integer(u"P")).arg(-ds.integer(u"S"));
    case 261: return ds.integer(u"ST") == 1 ? QStringLiteral("BLOB SUB_TYPE TEXT") : QStringLiteral("BLOB");
    default: return QStringLiteral("typ %1").arg(ds.integer(u"T"));
  }
}

// Tables the catalogue, the report bodies, the balance sheets, the mapping and the external
// sender read.
const char* const kRequiredTables[] = {
    "okresD", "S_JstWyk", "JSTDOP", "PARAMS", "SPRAWAKT", "SPRAWOZD", "S_TYPSPR", "SPRAWPLAN", "JBOBS",
    "SPRAWOZDXML", "D2", "W2", "NWS", "RBZZ", "RBZZDU", "N21", "N21B", "Z2", "z2KP", "z2ZB", "Z2JEDNOSTKI",
    "F2", "F2UZUPELNIENIE", "P2", "RBST", "UN", "UZ", "RB30", "RB31", "RB33", "RB34", "RB50", "ZN2", "WS", "FJ",
    "ZS", "SPRAWOZDPARAMS", "SPRAWOZDEPODPIS", "BILB", "BILS", "BILPOZ", "S_BILANSPOZ", "S_BILBESTIA", "UWAGI",
    "BILTOBESTIAMAP", "USER_", "JBBILJ"};

// Budget units' tables: the same columns as their twin, and ID_JB.
struct Twin {
  const char* plain;
  const char* jb;
};
const Twin kTwins[] = {
    {"SPRAWAKT", "JBSPRAWAKT"}, {"SPRAWOZD", "JBSPRAWOZD"}, {"SPRAWPLAN", "JBSprawPlan"},
    {"SPRAWOZDXML", "JBSPRAWOZDXML"}, {"D2", "JBD2"}, {"W2", "JBW2"}, {"NWS", "JBNWS"}, {"RBZZ", "JBRBZZ"},
    {"RBZZDU", "JBRBZZDU"}, {"N21", "JBN21"}, {"N21B", "JBN21B"}, {"Z2", "JBZ2"}, {"z2KP", "JBz2KP"},
    {"z2ZB", "JBz2ZB"}, {"Z2JEDNOSTKI", "JBZ2JEDNOSTKI"}, {"RBST", "JBRBST"}, {"UN", "JBUN"}, {"UZ", "JBUZ"},
    {"RB30", "JBRB30"}, {"RB31", "JBRB31"}, {"RB33", "JBRB33"}, {"RB34", "JBRB34"}, {"RB50", "JBRB50"},
    {"ZN2", "JBZN2"}, {"WS", "JBWS"}, {"FJ", "JBFJ"}, {"ZS", "JBZS"}, {"SPRAWOZDPARAMS", "JBSPRAWOZDPARAMS"},
    {"SPRAWOZDEPODPIS", "JBSPRAWOZDEPODPIS"}, {"BILB", "JBBILJ"}, {"BILPOZ", "JBBILPOZ"}, {"UWAGI", "JBUWAGI"}};

// Declared types and widths of columns the system relies on.
struct TypedColumn {
  const char* table;
  const char* column;
  const char* type;
};
const TypedColumn kTypes[] = {
    {"okresD", "Rok", "VARCHAR(2)"},
    {"okresD", "Okres", "VARCHAR(1)"},
    {"okresD", "Okres2", "INTEGER"},
    {"okresD", "OpZam", "VARCHAR(4)"},
    {"okresD", "DKON", "DATE"},
    {"S_JstWyk", "WK", "VARCHAR(2)"},
    {"S_JstWyk", "PT", "VARCHAR(1)"},
    {"S_JstWyk", "TYPJST", "VARCHAR(8)"},
    {"S_JstWyk", "NAZWA", "VARCHAR(252)"},
    {"S_JstWyk", "REGON", "VARCHAR(20)"},
    {"JSTDOP", "REGON", "VARCHAR(20)"},
    {"PARAMS", "IdJST", "INTEGER"},
    {"SPRAWAKT", "TYPSPR", "VARCHAR(4)"},
    {"SPRAWAKT", "DAT_SKW", "DATE"},
    {"SPRAWAKT", "CZAST", "INTEGER"},
    {"SPRAWOZD", "UWAGI", "BLOB SUB_TYPE TEXT"},
    {"SPRAWOZD", "DATAZAK", "DATE"},
    {"SPRAWOZD", "DATAWYSLANIA", "TIMESTAMP"},
    {"JBSPRAWOZD", "ID_JB", "INTEGER"},
    {"S_TYPSPR", "Nazwa", "VARCHAR(80)"},
    {"S_TYPSPR", "NazwaS", "VARCHAR(40)"},
    {"S_TYPSPR", "GMPW", "VARCHAR(16)"},
    {"JBOBS", "NAZWA", "VARCHAR(252)"},
    {"SPRAWOZDXML", "czy_epodpisane", "INTEGER"},
    {"SPRAWOZDXML", "WYEKSPORTOWANY_XML", "BLOB SUB_TYPE TEXT"},
    {"JBSPRAWOZDEPODPIS", "DANE", "BLOB SUB_TYPE TEXT"},
    {"D2", "R11Z", "NUMERIC(18,4)"},
    {"Z2", "E42ZF", "NUMERIC(18,4)"},
    {"Z2", "F12I", "NUMERIC(18,4)"},
    {"z2ZB", "ZBBZ", "DATE"},
    {"z2ZB", "LP", "INTEGER"},
    {"JBRB34", "UWAGI", "BLOB SUB_TYPE TEXT"},
    {"S_BILBESTIA", "SYMBOL", "VARCHAR(16)"},
    {"S_BILBESTIA", "NAZWA", "VARCHAR(252)"},
    {"S_BILBESTIA", "TYPSPR", "VARCHAR(4)"},
    {"S_BILBESTIA", "RODZAJ", "VARCHAR(1)"},
    {"BILPOZ", "ROK", "VARCHAR(2)"},
    {"BILPOZ", "TYP", "VARCHAR(1)"},
    {"BILPOZ", "NAZWA", "VARCHAR(252)"},
    {"JBBILPOZ", "TYPSPR", "VARCHAR(4)"},
    {"UWAGI", "UwagiF7", "NUMERIC(18,4)"},
    {"BILTOBESTIAMAP", "ID_BILBESTIA", "INTEGER"},
};

class SchemaTest : public ::testing::TestWithParam<Engine> {
 protected:
  void SetUp() override {
    if (GetParam() == Engine::Firebird) WERTALO_REQUIRE_FIREBIRD();
    connection_ = test::emptyDatabase(GetParam(), true, server_);
  }

  std::unique_ptr<test::FirebirdDatabase> server_;
  std::unique_ptr<Connection> connection_;
};

TEST_P(SchemaTest, CreatesExactlyTheTablesItLists) {
  QStringList engineTables = upper(connection_->tableNames());
  QStringList listed = upper(schemaTableNames());
  engineTables.sort();
  listed.sort();
  EXPECT_EQ(engineTables, listed);
  for (const char* table : kRequiredTables) {
    EXPECT_TRUE(connection_->hasTable(QString::fromLatin1(table))) << table;
  }
}

TEST_P(SchemaTest, BudgetUnitTwinHasTheSameColumnsAndIdJb) {
  const Columns columns = columnsOf(*connection_);
  for (const Twin& twin : kTwins) {
    const QString plain = QString::fromLatin1(twin.plain).toUpper();
    const QString jb = QString::fromLatin1(twin.jb).toUpper();
    ASSERT_TRUE(columns.contains(plain)) << twin.plain;
    ASSERT_TRUE(columns.contains(jb)) << twin.jb;
    EXPECT_EQ(columns.value(jb), columns.value(plain) + QStringList{QStringLiteral("ID_JB")}) << twin.jb;
  }
}

TEST_P(SchemaTest, ColumnsHaveTheirTypesAndWidths) {
  for (const TypedColumn& c : kTypes) {
    EXPECT_EQ(declaredType(*connection_, QString::fromLatin1(c.table), QString::fromLatin1(c.column)),
              QString::fromLatin1(c.type))
        << c.table << "." << c.column;
  }
}

TEST_P(SchemaTest, RbZRowHoldsEveryDebtTitleAndSuretyColumn) {
  const QStringList columns = columnsOf(*connection_).value(QStringLiteral("Z2"));
  const QStringList symbols = {"E", "E1", "E11", "E12", "E2", "E21", "E22", "E3", "E4", "E41", "E42"};
  const QStringList suffixes = {"", "KO", "KF", "KR", "KP", "KS", "KU", "KC", "KK", "KI", "KB", "KG", "KD", "ZO", "ZZ", "ZF"};
  for (const QString& s : symbols)
    for (const QString& x : suffixes) EXPECT_TRUE(columns.contains(s + x)) << (s + x).toStdString();
  const QStringList stems = {"F2", "F8", "F12"};
  const QStringList suretySuffixes = {"", "F", "R", "P", "S", "U", "I"};
  for (const QString& stem : stems)
    for (const QString& x : suretySuffixes) EXPECT_TRUE(columns.contains(stem + x)) << (stem + x).toStdString();
  EXPECT_TRUE(columns.contains(QStringLiteral("UWAGI")));
  EXPECT_EQ(columns.size(), 1 + 176 + 21 + 1);
}

TEST_P(SchemaTest, PolishTextAmountsAndLongMemosRoundTrip) {
  const QString name = QStringLiteral("Zażółć gęślą jaźń & <ŁÓDŹ> \"ĘĄŚĆŃ\"");
  const QString memo = (QStringLiteral("Informacja dodatkowa: zobowiązania wymagalne – ") + name + QLatin1Char('\n')).repeated(900);
  Query insert(*connection_);
  insert.setSql(QStringLiteral("insert into SPRAWOZD (IDSPRAW, STAMP, UWAGI, DATAZAK, DATAWYSLANIA) "
                               "values (:IDSPRAW, :STAMP, :UWAGI, :DATAZAK, :DATAWYSLANIA)"));
  insert.bindInt(QStringLiteral("IDSPRAW"), 57);
  insert.bindText(QStringLiteral("STAMP"), QStringLiteral("Łucja Świątek"));
  insert.bindText(QStringLiteral("UWAGI"), memo);
  insert.bindDate(QStringLiteral("DATAZAK"), QDate(2014, 2, 28));
  insert.bindDateTime(QStringLiteral("DATAWYSLANIA"), QDateTime(QDate(2014, 3, 3), QTime(9, 41, 7)));
  ASSERT_EQ(insert.execSql(), 1);

  Query amounts(*connection_);
  amounts.setSql(QStringLiteral("insert into D2 (IDSPRAW, DZIAL, ROZDZIAL, PAR, Par4, R1, R4, R5, UWAGI) "
                                "values (57, '756', '75615', '031', '0', :R1, :R4, :R5, :UWAGI)"));
  amounts.bindText(QStringLiteral("R1"), QStringLiteral("1234.5678"));
  amounts.bindText(QStringLiteral("R4"), QStringLiteral("-0.0001"));
  amounts.bindText(QStringLiteral("R5"), QStringLiteral("98765432109.8765"));
  amounts.bindText(QStringLiteral("UWAGI"), name);
  ASSERT_EQ(amounts.execSql(), 1);

  DataSet report = openSql(*connection_, QStringLiteral("select * from SPRAWOZD where IDSPRAW=57"));
  ASSERT_EQ(report.recordCount(), 1);
  EXPECT_EQ(report.text(u"STAMP"), QStringLiteral("Łucja Świątek"));
  EXPECT_EQ(report.text(u"UWAGI"), memo);
  EXPECT_EQ(report.text(u"UWAGI").size(), memo.size());
  EXPECT_EQ(report.date(u"DATAZAK"), QDate(2014, 2, 28));
  EXPECT_EQ(report.dateTime(u"DATAWYSLANIA"), QDateTime(QDate(2014, 3, 3), QTime(9, 41, 7)));
  EXPECT_TRUE(report.isNull(u"DATAROZP"));

  DataSet row = openSql(*connection_, QStringLiteral("select * from D2 where IDSPRAW=57"));
  ASSERT_EQ(row.recordCount(), 1);
  EXPECT_EQ(row.currency(u"R1"), Currency{12345678});
  EXPECT_EQ(row.currency(u"R4"), Currency{-1});
  EXPECT_EQ(row.currency(u"R5"), Currency{987654321098765});
  EXPECT_FALSE(row.currencyOrNull(u"R2").has_value());
  EXPECT_EQ(row.text(u"UWAGI"), name);
  EXPECT_EQ(row.text(u"PAR"), QStringLiteral("031"));
}

INSTANTIATE_TEST_SUITE_P(Engines, SchemaTest, ::testing::Values(Engine::Sqlite, Engine::Firebird),
                         [](const ::testing::TestParamInfo<Engine>& info) {
                           return info.param == Engine::Sqlite ? "Sqlite" : "Firebird";
                         });

TEST(Schema, BothEnginesEndUpWithTheSameTablesAndColumns) {
  WERTALO_REQUIRE_FIREBIRD();
  auto sqlite = test::memoryDatabase(true);
  test::FirebirdDatabase server;
  auto firebird = server.connect();
  applySchema(*firebird);
  const Columns onSqlite = columnsOf(*sqlite);
  const Columns onFirebird = columnsOf(*firebird);
  EXPECT_EQ(onSqlite.keys(), onFirebird.keys());
  for (auto it = onSqlite.cbegin(); it != onSqlite.cend(); ++it) {
    EXPECT_EQ(it.value(), onFirebird.value(it.key())) << it.key().toStdString();
    EXPECT_FALSE(it.value().isEmpty()) << it.key().toStdString();
  }
}

TEST(Schema, TableNamesFollowTheFileOrder) {
  QStringList names = schemaTableNames();
  ASSERT_FALSE(names.isEmpty());
  EXPECT_EQ(names.first(), QStringLiteral("okresD"));
  EXPECT_EQ(names.last(), QStringLiteral("USER_"));
  EXPECT_EQ(names.removeDuplicates(), 0);
  EXPECT_LT(names.indexOf(QStringLiteral("SPRAWAKT")), names.indexOf(QStringLiteral("JBSPRAWAKT")));
}

}  // namespace
}  // namespace wertalo::db
