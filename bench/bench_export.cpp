// Benchmarks of the main job on a demo installation with many budget units: the selection
// of their reports, and the export of every report into its own file.
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

#include "core/catalogue/wertalo_main.h"
#include "core/demo/demo_installation.h"
#include "core/package/export_run.h"
#include "core/package/paczka.h"
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

std::unique_ptr<catalogue::TdtmWertaloMain> openModule(platform::UserInterface& ui, int units) {
  auto dtm = catalogue::dtmWertaloCreate(ui, installation(units).winIni, package::ReportRegistry::instance());
  // The latest year and its latest period, as the wizard starts.
  dtm->qrRok.data.last();
  dtm->chooseYear(dtm->qrRok.data.text(u"ROK"));
  dtm->RodzajEksportu = catalogue::rJB;
  dtm->frmWertalo.sWybraneJB = allUnits(units);
  return dtm;
}

void BM_SelectionOfAllBudgetUnits(benchmark::State& state) {
  const int units = static_cast<int>(state.range(0));
  platform::RecordingUserInterface ui;
  auto dtm = openModule(ui, units);
  for (auto _ : state) {
    dtm->SprawozdDoMemo(dtm->frmWertalo.sWybraneJB);
    benchmark::DoNotOptimize(dtm->memSelectSpraw.recordCount());
  }
  state.counters["reports"] = dtm->memSelectSpraw.recordCount();
  if (dtm->memSelectSpraw.recordCount() == 0) state.SkipWithError("no reports offered");
}
BENCHMARK(BM_SelectionOfAllBudgetUnits)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_ExportEveryReportOfAllBudgetUnits(benchmark::State& state) {
  const int units = static_cast<int>(state.range(0));
  platform::RecordingUserInterface ui;
  auto dtm = openModule(ui, units);
  QTemporaryDir out;
  dtm->frmParams.dirKatalog = out.path();
  dtm->frmWertalo.chkZapiszPojedynczo = true;
  package::TXMLPaczkaSprawozdan writer(*dtm);
  for (auto _ : state) {
    state.PauseTiming();
    dtm->SprawozdDoMemo(dtm->frmWertalo.sWybraneJB);
    state.ResumeTiming();
    package::WykonajEksport(*dtm, writer);
  }
  state.counters["reports"] = dtm->memSelectSpraw.tickedCount();
  if (dtm->memSelectSpraw.tickedCount() == 0) state.SkipWithError("no reports to export");
}
BENCHMARK(BM_ExportEveryReportOfAllBudgetUnits)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
