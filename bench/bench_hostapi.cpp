// Benchmark of one host call on the demo installation, connection included: the element of a
// report of the unit itself (Rb-27s), of an Rb-50 part (which also reads the unit's type) and
// of a budget unit's balance sheet. The counter median_ms is the median of the single calls.
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "core/db/connection.h"
#include "core/db/query.h"
#include "core/demo/demo_installation.h"
#include "wertalo/wertalo.h"

namespace {

using namespace wertalo;

// The demo installation of the golden export, made once, found through $WERTALO_WIN_INI.
const demo::DemoInstallation& installation() {
  static QTemporaryDir dir;
  static const demo::DemoInstallation made = [] {
    demo::DemoOptions options;
    options.folder = dir.filePath(QStringLiteral("demo"));
    options.units = 6;
    demo::DemoInstallation install = demo::createDemoInstallation(options);
    qputenv("WERTALO_WIN_INI", install.winIni.toLocal8Bit());
    return install;
  }();
  return made;
}

// The latest report of this type in the unit's (or the budget units') report table.
int32_t latestReport(const char* typspr, bool unit) {
  db::Connection connection;
  db::ConnectionSettings settings;
  settings.sqliteFile = installation().database;
  connection.open(settings);
  const db::DataSet row = db::openSql(connection, QStringLiteral("select max(IDSPRAW) as ID from %1 where TYPSPR='%2'")
                                                      .arg(unit ? QStringLiteral("SPRAWAKT") : QStringLiteral("JBSPRAWAKT"),
                                                           QString::fromLatin1(typspr)));
  return static_cast<int32_t>(row.integer(u"ID"));
}

// One call per iteration; the median of the calls' times as a counter.
template <typename Call>
void timeCalls(benchmark::State& state, Call call) {
  std::vector<double> ms;
  for (auto _ : state) {
    QElapsedTimer timer;
    timer.start();
    char* text = call();
    ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    if (text == nullptr || text[0] == '\0') {
      state.SkipWithError(text == nullptr ? OstatniBlad() : "empty text");
      ZwolnijPCHAR(text);
      break;
    }
    ZwolnijPCHAR(text);
  }
  if (ms.empty()) return;
  std::sort(ms.begin(), ms.end());
  state.counters["median_ms"] = ms[ms.size() / 2];
}

void BM_HostCallRb27s(benchmark::State& state) {
  const int32_t id = latestReport("D", true);
  char anchor[64];
  timeCalls(state, [&] { return EkportujXML(id, anchor, 1); });
}
BENCHMARK(BM_HostCallRb27s)->Unit(benchmark::kMillisecond);

void BM_HostCallRb50W(benchmark::State& state) {
  const int32_t id = latestReport("RB50", true);
  char anchor[64];
  timeCalls(state, [&] { return EkportujRB50XML(id, anchor, 1, "W"); });
}
BENCHMARK(BM_HostCallRb50W)->Unit(benchmark::kMillisecond);

void BM_HostCallBJed(benchmark::State& state) {
  const int32_t id = latestReport("BILJ", false);
  char anchor[64];
  timeCalls(state, [&] { return EkportujXML(id, anchor, 0); });
}
BENCHMARK(BM_HostCallBJed)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
