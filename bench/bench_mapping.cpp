// Benchmarks of the automatic mapping on a local database file with several thousand
// positions: on an empty assignment table (every row inserted), after clearing (every row
// edited) and again (nothing left to do). The time should grow with the number of positions,
// not with its square.
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

#include "core/db/connection.h"
#include "core/db/query.h"
#include "core/db/schema.h"
#include "core/mapping/bil_map_to_bestia.h"
#include "core/platform/user_interface.h"

namespace {

using namespace wertalo;
using namespace Qt::StringLiterals;

constexpr int kParts = 5;      // "I." to "V." under each group
constexpr int kLeaves = 6;     // "1." to "6." under each part
constexpr int kGroupSize = 1 + kParts * (1 + kLeaves);

const char* const kRoman[] = {"I", "II", "III", "IV", "V"};

// A database file with `groups` trees of BILS assets for 2014 and the Besti@ positions: most
// match by computed symbol, every fifth leaf only by name, every seventh not at all.
struct Installation {
  QTemporaryDir dir;
  std::unique_ptr<db::Connection> connection;
  int positions = 0;
};

std::unique_ptr<Installation> makeInstallation(int groups) {
  auto inst = std::make_unique<Installation>();
  inst->connection = std::make_unique<db::Connection>();
  db::ConnectionSettings settings;
  settings.sqliteFile = inst->dir.filePath(u"dane.sqlite"_s);
  settings.createIfMissing = true;
  inst->connection->open(settings);
  db::applySchema(*inst->connection);

  db::Query position(*inst->connection);
  position.setSql(u"insert into BILPOZ (ID_BILPOZ, ROK, OKRES, TYP, NAZWA, KOLEJ, PARENT, TYPSPR, DPOCZ, DKON) "
                  u"values (:ID, '14', '4', 'A', :NAZWA, :ID, :PARENT, 'BILS', :DPOCZ, :DKON)"_s);
  position.bindDate(u"DPOCZ"_s, QDate(2014, 1, 1));
  position.bindDate(u"DKON"_s, QDate(2014, 12, 31));
  db::Query bestia(*inst->connection);
  bestia.setSql(u"insert into S_BILBESTIA (ID_BILBESTIA, SYMBOL, NAZWA, TYPSPR, RODZAJ, DPOCZ, DKON) "
                u"values (:ID, :SYMBOL, :NAZWA, 'BILS', 'A', :DPOCZ, :DKON)"_s);
  bestia.bindDate(u"DPOCZ"_s, QDate(2010, 1, 1));
  bestia.bindDate(u"DKON"_s, QDate(2099, 12, 31));

  inst->connection->beginTransaction();
  int id = 0;
  auto add = [&](const QString& label, const QString& name, int parent, const QString& symbol, int kind) {
    ++id;
    position.bindInt(u"ID"_s, id);
    position.bindText(u"NAZWA"_s, label + u". "_s + name);
    if (parent) position.bindInt(u"PARENT"_s, parent);
    else position.bindNull(u"PARENT"_s);
    position.execSql();
    if (kind == 2) return id;  // nothing in Besti@
    bestia.bindInt(u"ID"_s, 100000 + id);
    bestia.bindText(u"SYMBOL"_s, kind == 1 ? u"X."_s + symbol : symbol);  // kind 1: only the name matches
    bestia.bindText(u"NAZWA"_s, name);
    bestia.execSql();
    return id;
  };
  for (int g = 0; g < groups; ++g) {
    const QString top = u"G%1"_s.arg(g);
    const int groupId = add(top, u"Grupa %1"_s.arg(g), 0, top, 0);
    for (int p = 0; p < kParts; ++p) {
      const QString part = QString::fromLatin1(kRoman[p]);
      const int partId = add(part, u"Część %1.%2"_s.arg(g).arg(p), groupId, top + u"."_s + part, 0);
      for (int l = 1; l <= kLeaves; ++l) {
        const int n = id + 1;
        add(QString::number(l), u"Pozycja %1.%2.%3"_s.arg(g).arg(p).arg(l), partId,
            top + u"."_s + part + u"."_s + QString::number(l), n % 7 == 0 ? 2 : n % 5 == 0 ? 1 : 0);
      }
    }
  }
  inst->connection->commit();
  inst->positions = id;
  return inst;
}

mapping::MappingPeriod year2014() { return {u"14"_s, u"4"_s, QDate(2014, 12, 31)}; }

// Which assignment table the timed run finds.
enum Start { EmptyTable, AllZero, AllDone };

void automaticMapping(benchmark::State& state, Start start) {
  auto inst = makeInstallation(static_cast<int>(state.range(0)) / kGroupSize);
  platform::RecordingUserInterface ui;
  mapping::TdtmBilMapToBestia module(*inst->connection, ui, year2014());
  module.EkspSetMapFilter(mapping::tsRazem, mapping::apRazem);
  if (start == AllDone) module.EkspMapujAutomatycznie();
  int left = 0;
  for (auto _ : state) {
    state.PauseTiming();
    if (start != AllDone) inst->connection->executeScript(u"delete from BILTOBESTIAMAP;\n"_s);
    if (start == AllZero) {
      module.EkspSetMapFilter(mapping::tsBILS, mapping::apAktywa);
      module.EkspUsunMapowania();
      module.EkspSetMapFilter(mapping::tsRazem, mapping::apRazem);
    }
    state.ResumeTiming();
    left = module.EkspMapujAutomatycznie();
  }
  state.counters["positions"] = inst->positions;
  state.counters["unmatched"] = left;
  if (left == 0 || left == inst->positions) state.SkipWithError("the mapping matched all or nothing");
}

void BM_AutomaticMappingOnAnEmptyTable(benchmark::State& state) { automaticMapping(state, EmptyTable); }
void BM_AutomaticMappingAfterClearing(benchmark::State& state) { automaticMapping(state, AllZero); }
void BM_AutomaticMappingWithNothingLeft(benchmark::State& state) { automaticMapping(state, AllDone); }

BENCHMARK(BM_AutomaticMappingOnAnEmptyTable)->Arg(1000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutomaticMappingAfterClearing)->Arg(1000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutomaticMappingWithNothingLeft)->Arg(1000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
