// Benchmarks of the main job on a demo installation with many budget units: the selection
// of their reports, and the export of every report into its own file.
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

#include "core/demo/demo_installation.h"
#include "core/operations/session.h"
#include "core/platform/user_interface.h"

namespace {

using namespace wertalo;

// One demo installation per unit count, made once.
const demo::DemoInstallation& installation(int units) {
  static std::map<int, std::pair<std::unique_ptr<QTemporaryDir>, demo::DemoInstallation>> made;
  auto it = made.find(units);
  if (it == made.end()) {
    auto dir = std::make_unique<QTemporaryDir>();
    auto install = demo::createDemoInstallation({dir->filePath(QStringLiteral("demo")), units});
    it = made.emplace(units, std::pair{std::move(dir), std::move(install)}).first;
  }
  return it->second.second;
}

QString allUnits(int units) {
  QString list;
  for (int i = 1; i <= units; ++i) list += QString::number(i) + QLatin1Char(',');
  return list;
}

// The installation opened with every budget unit chosen, in the latest year and period, as
// the wizard starts.
std::unique_ptr<operations::Session> openSession(platform::UserInterface& ui, int units, const QString& settings) {
  auto session = operations::Session::open({installation(units).winIni, settings}, ui);
  operations::Choice choice;
  choice.budgetUnits = allUnits(units);
  session->choose(choice);
  return session;
}

void BM_SelectionOfAllBudgetUnits(benchmark::State& state) {
  const int units = static_cast<int>(state.range(0));
  platform::RecordingUserInterface ui;
  QTemporaryDir config;
  auto session = openSession(ui, units, config.filePath(QStringLiteral("Wertalo.xml")));
  for (auto _ : state) {
    session->refreshSelection();
    benchmark::DoNotOptimize(session->selection().recordCount());
  }
  state.counters["reports"] = session->selection().recordCount();
  if (session->selection().recordCount() == 0) state.SkipWithError("no reports offered");
}
BENCHMARK(BM_SelectionOfAllBudgetUnits)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_ExportEveryReportOfAllBudgetUnits(benchmark::State& state) {
  const int units = static_cast<int>(state.range(0));
  platform::RecordingUserInterface ui;
  QTemporaryDir config;
  auto session = openSession(ui, units, config.filePath(QStringLiteral("Wertalo.xml")));
  QTemporaryDir out;
  catalogue::RunOptions options = session->options();
  options.dirKatalog = out.path();
  options.chkZapiszPojedynczo = true;
  session->setOptions(options);
  int ticked = 0;
  for (auto _ : state) {
    state.PauseTiming();
    session->refreshSelection();
    ticked = session->selection().tickedCount();
    state.ResumeTiming();
    session->exportSelection();
  }
  state.counters["reports"] = ticked;
  if (ticked == 0) state.SkipWithError("no reports to export");
}
BENCHMARK(BM_ExportEveryReportOfAllBudgetUnits)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
