// Mapping tests: a product database with the few positions, Besti@ positions and assignment
// rows that matter, on the local engine or on the Firebird server.
#pragma once

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/db/connection.h"
#include "core/mapping/bil_map_to_bestia.h"
#include "core/platform/user_interface.h"
#include "support/databases.h"

namespace wertalo::test {

// A product position (BILPOZ, or JBBILPOZ when `typspr` is "BILJ"), valid through 2014.
struct Pos {
  qint64 id;
  QString typspr;
  QString typ;
  QString nazwa;
  qint64 parent = 0;  // 0: a top position
  qint64 kolej = 0;   // 0: ten times the id
  QString rok = QStringLiteral("14");
  QString okres = QStringLiteral("4");
};

// A Besti@ position, valid in 2010-2099 unless `dkon` says otherwise.
struct Bestia {
  qint64 id;
  QString typspr;
  QString rodzaj;
  QString symbol;
  QString nazwa;
  QString dkon = QStringLiteral("2099-12-31");
};

// The year 2014, period "4", end of year 31 December 2014.
mapping::MappingPeriod year2014();

class MappingDb {
 public:
  // A fresh database with the schema: in memory, or on the Firebird test server.
  explicit MappingDb(db::Engine engine = db::Engine::Sqlite);
  // Rows on a database opened elsewhere (with the schema applied).
  explicit MappingDb(std::unique_ptr<db::Connection> connection);

  db::Connection& connection() { return *connection_; }
  void exec(const QString& script);
  void add(const std::vector<Pos>& positions);
  void add(const std::vector<Bestia>& positions);
  // BILTOBESTIAMAP rows, e.g. {"BILB", 3, 12}.
  void map(const QString& typspr, qint64 idBilPoz, qint64 idBilBestia);
  // BILTOBESTIAMAP as "TYPSPR ID_BILPOZ ID_BILBESTIA" lines in index order.
  QStringList mapRows();

  // The mapping module for 2014.
  std::unique_ptr<mapping::TdtmBilMapToBestia> module();

  platform::RecordingUserInterface ui;

 private:
  std::unique_ptr<db::Connection> connection_;
};

// A test run on the local engine and on the Firebird server (skipped without one). A derived
// SetUp calls this one first and stops when the test was skipped.
class OnBothEngines : public ::testing::TestWithParam<db::Engine> {
 protected:
  void SetUp() override;
  std::unique_ptr<MappingDb> m_;
};

// "Sqlite" or "Firebird", for the names of the instantiated tests.
std::string engineName(const ::testing::TestParamInfo<db::Engine>& info);

// Instantiates a suite derived from OnBothEngines for both engines.
#define WERTALO_ON_BOTH_ENGINES(suite)                                                                  \
  INSTANTIATE_TEST_SUITE_P(Engines, suite, ::testing::Values(db::Engine::Sqlite, db::Engine::Firebird), \
                           ::wertalo::test::engineName)

// The current list's rows as "ID_BILPOZ NAZWA | sBestiaId | sMapStatus | sBestiaSymbol" lines.
QStringList shown(mapping::PositionQuery& list);

}  // namespace wertalo::test
