// The wizard driven page by page on the demo installation: the choice on page 1, ticking on
// page 2, the summary, the export and the completion text.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QTest>

#include "core/catalogue/select_table.h"
#include "gui/completion_page.h"
#include "gui/reports_page.h"
#include "gui/summary_page.h"
#include "gui/welcome_page.h"
#include "support/xml_check.h"
#include "wizard_fixture.h"

namespace wertalo::test {
namespace {

using gui::kCompletionPage;
using gui::kReportsPage;
using gui::kSummaryPage;
using gui::kWelcomePage;

// The Besti@ symbols of the selection, in its order.
QStringList symbols(const catalogue::SelectTable& table) {
  QStringList out;
  for (int i = 0; i < table.recordCount(); ++i) out << table.at(i).sTypSprBestia;
  return out;
}

void choose(QComboBox* combo, const QString& text) {
  const int index = combo->findText(text);
  ASSERT_GE(index, 0) << text.toStdString();
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

TEST_F(WizardTest, StartsWithTheLatestPeriodOfTheUnitItself) {
  gui::TfrmWertalo& w = open();
  EXPECT_EQ(w.currentId(), kWelcomePage);
  EXPECT_EQ(w.windowTitle(), "Eksport danych");
  EXPECT_EQ(w.welcome->lcRok->currentText(), "2014");
  EXPECT_EQ(w.welcome->lcOkres->currentIndex(), w.welcome->lcOkres->count() - 1);
  EXPECT_TRUE(w.welcome->lblNazwa->text().startsWith("Nazwa JST ")) << w.welcome->lblNazwa->text().toStdString();
  EXPECT_TRUE(w.welcome->lblNazwa->text().contains(" Kod GUS ")) << w.welcome->lblNazwa->text().toStdString();
  const int reports = session_->selection().recordCount();
  ASSERT_GT(reports, 0);
  EXPECT_EQ(w.welcome->o->model()->rowCount(), reports);
  EXPECT_EQ(w.welcome->o->model()->headerData(0, Qt::Horizontal).toString(), "Sprawozdanie");
  EXPECT_TRUE(w.button(QWizard::NextButton)->isEnabled());
  EXPECT_FALSE(w.button(QWizard::BackButton)->isEnabled());
  EXPECT_EQ(w.button(QWizard::NextButton)->text(), "&Dalej >");
  EXPECT_EQ(w.button(QWizard::BackButton)->text(), "< &Cofnij");
  EXPECT_TRUE(dialogs_.errors.isEmpty()) << dialogs_.errors.join('\n').toStdString();
}

TEST_F(WizardTest, BalanceSheetsAreYearlyAndShowTheMappingButton) {
  gui::TfrmWertalo& w = open();
  w.welcome->rbEksportBilansow->click();
  EXPECT_FALSE(w.welcome->lcOkres->isEnabled());
  EXPECT_TRUE(w.welcome->btnPokazMapowanieDoBestia->isVisible());
  ASSERT_GT(session_->selection().recordCount(), 0);
  for (const QString& symbol : symbols(session_->selection())) EXPECT_TRUE(symbol.startsWith("B-")) << symbol.toStdString();
  EXPECT_EQ(next(), kReportsPage);
  EXPECT_TRUE(w.reports->pnlPozBil->isVisible());
  // Beside the sheet: its positions of one side, each with its Besti@ symbol or a mark.
  QTableWidget& grid = *w.reports->dbgrBilanse;
  const auto column = [&](int c) {
    QStringList cells;
    for (int row = 0; row < grid.rowCount(); ++row) cells << grid.item(row, c)->text();
    return cells;
  };
  ASSERT_GT(grid.rowCount(), 0);
  for (const QString& symbol : column(0)) EXPECT_FALSE(symbol.isEmpty());
  const QStringList assets = column(1);
  radio(w.reports->rgAP, 1)->click();
  ASSERT_GT(grid.rowCount(), 0);
  EXPECT_NE(column(1), assets);
  radio(w.reports->rgAP, 0)->click();
  EXPECT_EQ(column(1), assets);

  w.back();
  w.welcome->rbEksportSpraw->click();
  EXPECT_TRUE(w.welcome->lcOkres->isEnabled());
  EXPECT_FALSE(w.welcome->btnPokazMapowanieDoBestia->isVisible());
  for (const QString& symbol : symbols(session_->selection())) EXPECT_FALSE(symbol.startsWith("B-")) << symbol.toStdString();
}

TEST_F(WizardTest, AnotherYearTakesItsLatestPeriod) {
  gui::TfrmWertalo& w = open();
  choose(w.welcome->lcRok, "2013");
  EXPECT_EQ(session_->unit().ROK, "13");
  EXPECT_EQ(w.welcome->lcOkres->currentIndex(), w.welcome->lcOkres->count() - 1);
  choose(w.welcome->lcOkres, w.welcome->lcOkres->itemText(0));
  EXPECT_EQ(session_->unit().OKRES, w.welcome->lcOkres->itemData(0).toString());
  for (int i = 0; i < session_->selection().recordCount(); ++i) EXPECT_EQ(session_->selection().at(i).ROK, "13");
}

TEST_F(WizardTest, BudgetUnitsOneOrSeveral) {
  gui::TfrmWertalo& w = open();
  gui::WelcomePage& p = *w.welcome;
  radio(p.rgRodzaj, 1)->click();
  EXPECT_EQ(session_->unitKind(), catalogue::rJB);
  EXPECT_TRUE(p.rgWyborJednostek->isVisible());
  EXPECT_TRUE(p.lcJB->isVisible());
  EXPECT_FALSE(p.gridJB->isVisible());
  ASSERT_EQ(p.lcJB->count(), 2);

  // One unit: its reports only.
  choose(p.lcJB, p.lcJB->itemText(1));
  const qint64 second = p.lcJB->itemData(1).toLongLong();
  ASSERT_GT(session_->selection().recordCount(), 0);
  for (int i = 0; i < session_->selection().recordCount(); ++i) EXPECT_EQ(session_->selection().at(i).ID_JB, second);

  // Several units, chosen by double-click; a second double-click takes a unit out again.
  radio(p.rgWyborJednostek, 1)->click();
  EXPECT_TRUE(p.gridJB->isVisible());
  EXPECT_FALSE(p.lcJB->isVisible());
  EXPECT_EQ(session_->chosenBudgetUnits(), "");
  const qint64 first = p.gridJB->item(0, 0)->text().toLongLong();
  p.gridJBDoubleClick(1);
  p.gridJBDoubleClick(0);
  EXPECT_EQ(session_->chosenBudgetUnits(), QString::number(second) + "," + QString::number(first) + ",");
  EXPECT_EQ(p.gridJB->item(0, 1)->background().color(), QColor(0, 255, 0));
  p.gridJBDoubleClick(1);
  EXPECT_EQ(session_->chosenBudgetUnits(), QString::number(first) + ",");
  EXPECT_EQ(p.gridJB->item(1, 1)->background().style(), Qt::NoBrush);
  for (int i = 0; i < session_->selection().recordCount(); ++i) EXPECT_EQ(session_->selection().at(i).ID_JB, first);

  // Back to the unit itself: the unit lists are hidden.
  radio(p.rgRodzaj, 0)->click();
  EXPECT_EQ(session_->unitKind(), catalogue::rJST);
  EXPECT_FALSE(p.rgWyborJednostek->isVisible());
  EXPECT_FALSE(p.gridJB->isVisible());
}

TEST_F(WizardTest, NextIsRefusedWhileNothingIsOffered) {
  gui::TfrmWertalo& w = open();
  // "Budżet JB" with no unit chosen offers nothing.
  radio(w.welcome->rgRodzaj, 1)->click();
  ASSERT_EQ(session_->selection().recordCount(), 0);
  EXPECT_FALSE(w.button(QWizard::NextButton)->isEnabled());
  EXPECT_EQ(next(), kWelcomePage);
}

TEST_F(WizardTest, TickingAllNoneOrOnlySignedReportsShowsInTheSummary) {
  gui::TfrmWertalo& w = open();
  ASSERT_EQ(next(), kReportsPage);
  const catalogue::SelectTable& table = session_->selection();
  const int all = table.recordCount();
  int signedCount = 0;
  for (int i = 0; i < all; ++i) signedCount += table.at(i).podpisane ? 1 : 0;
  ASSERT_GT(signedCount, 0);
  ASSERT_LT(signedCount, all);

  const QList<QAction*> menu = w.reports->OvcDbTable1->actions();
  ASSERT_EQ(menu.size(), 3);
  menu[1]->trigger();  // none
  EXPECT_EQ(table.tickedCount(), 0);
  menu[2]->trigger();  // only signed
  EXPECT_EQ(table.tickedCount(), signedCount);
  for (int i = 0; i < all; ++i) EXPECT_EQ(table.at(i).SELEKCJA, table.at(i).podpisane);

  ASSERT_EQ(next(), kSummaryPage);
  EXPECT_EQ(w.iWybrane, signedCount);
  const QString summary = w.summary->mInfo->toPlainText();
  EXPECT_TRUE(summary.contains("SPRAWOZDANIA WYBRANE DO EKSPORTU:"));
  for (int i = 0; i < all; ++i) {
    const QString line = "   " + table.at(i).sNazwa + " " + table.at(i).sNazwaCzesc;
    EXPECT_EQ(summary.split('\n').contains(line), table.at(i).podpisane) << line.toStdString();
  }

  w.back();
  menu[0]->trigger();  // all
  EXPECT_EQ(table.tickedCount(), all);
  // A click on a tick box unticks its report.
  QAbstractItemModel& model = *w.reports->OvcDbTable1->model();
  ASSERT_TRUE(model.setData(model.index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
  EXPECT_FALSE(table.at(0).SELEKCJA);
  ASSERT_EQ(next(), kSummaryPage);
  EXPECT_EQ(w.iWybrane, all - 1);
}

TEST_F(WizardTest, TheExportWritesOneWellFormedFilePerTickedReportAndTheCompletionNamesThem) {
  gui::TfrmWertalo& w = open();
  ASSERT_EQ(next(), kReportsPage);
  EXPECT_TRUE(w.reports->chkZapiszPojedynczo->isChecked());
  EXPECT_FALSE(w.reports->chkZapiszPojedynczo->isEnabled());
  ASSERT_EQ(next(), kSummaryPage);
  const int ticked = w.iWybrane;
  ASSERT_EQ(next(), kCompletionPage);

  const QStringList files = exportedFiles("*.xml");
  EXPECT_EQ(static_cast<int>(w.lastRun.files.size()) + static_cast<int>(w.lastRun.leftOut.size()), ticked);
  EXPECT_EQ(files.size(), static_cast<int>(w.lastRun.files.size()));
  const QString completion = w.completion->memKoniec->toPlainText();
  EXPECT_TRUE(completion.startsWith("EKSPORT ZAKOŃCZONO POMYŚLNIE")) << completion.toStdString();
  for (const catalogue::WrittenFile& file : w.lastRun.files) {
    EXPECT_TRUE(completion.contains(file.path)) << file.path.toStdString();
    QFile xml(file.path);
    ASSERT_TRUE(xml.open(QIODevice::ReadOnly)) << file.path.toStdString();
    EXPECT_TRUE(isWellFormedXml(xml.readAll())) << file.path.toStdString();
  }
  // A ticked report that got no file is named as left out, with no path.
  for (const catalogue::LeftOutReport& left : w.lastRun.leftOut)
    EXPECT_TRUE(completion.contains(QStringLiteral("   %1 (%2): ").arg(left.report.symbol).arg(left.report.idspraw)));
  EXPECT_EQ(exportedFiles(".*").size(), 0) << "no temporary file is left";
  EXPECT_TRUE(dialogs_.errors.isEmpty()) << dialogs_.errors.join('\n').toStdString();
  // The signed reports' files are checked, and every signature of the demo holds.
  const QString signatures = w.completion->memPodpisy->toPlainText();
  EXPECT_FALSE(w.completion->memPodpisy->isHidden());
  EXPECT_TRUE(signatures.startsWith("Podpisy w pliku ")) << signatures.toStdString();
  EXPECT_FALSE(signatures.contains("  podpis ")) << signatures.toStdString();
}

TEST_F(WizardTest, WithNothingTickedNothingIsWrittenAndTheCompletionFollows) {
  gui::TfrmWertalo& w = open();
  const std::vector<qint64> datedBefore = datedReports();
  ASSERT_EQ(next(), kReportsPage);
  w.reports->tickNone();
  ASSERT_EQ(next(), kSummaryPage);
  EXPECT_EQ(w.iWybrane, 0);
  EXPECT_TRUE(w.summary->mInfo->toPlainText().contains("!!!EKSPORT NIE BĘDZIE WYKONANY"));
  ASSERT_EQ(next(), kCompletionPage);
  EXPECT_TRUE(exportedFiles("*.xml").isEmpty());
  EXPECT_EQ(datedReports(), datedBefore);
}

TEST_F(WizardTest, WithoutAdditionalFieldsThePackageHasNoExtendedInformation) {
  gui::TfrmWertalo& w = open();
  ASSERT_EQ(next(), kReportsPage);
  ASSERT_EQ(next(), kSummaryPage);
  w.summary->cbStandardowe->click();
  EXPECT_FALSE(session_->options().bDodajInfo);
  ASSERT_EQ(next(), kCompletionPage);
  ASSERT_FALSE(w.lastRun.files.empty());
  QFile xml(w.lastRun.files.front().path);
  ASSERT_TRUE(xml.open(QIODevice::ReadOnly));
  EXPECT_FALSE(xml.readAll().contains("SprawozdaniaRozwiniecie"));
}

TEST_F(WizardTest, CancelDuringTheExportKeepsWhatWasWrittenAndWritesNothingMore) {
  gui::TfrmWertalo& w = open();
  const std::vector<qint64> datedBefore = datedReports();
  ASSERT_EQ(next(), kReportsPage);
  ASSERT_EQ(next(), kSummaryPage);
  ASSERT_GE(w.iWybrane, 3);
  // Cancel in the progress dialog as soon as the first report was written.
  bool clicked = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, &w, [&] {
    auto* dialog = w.findChild<QProgressDialog*>("dlgEksport");
    if (clicked || dialog == nullptr || dialog->value() < 1) return;
    auto* cancel = dialog->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), "Anuluj");
    cancel->click();
    clicked = true;
  });
  watch.start(0);
  EXPECT_EQ(next(), kSummaryPage);  // the wizard stays on its page
  ASSERT_TRUE(clicked);
  // Only the report written before Cancel has its file and its sending date.
  const QStringList files = exportedFiles("*.xml");
  ASSERT_EQ(files.size(), 1);
  EXPECT_EQ(exportedFiles(".*").size(), 0) << "no temporary file is left";
  // At most the written report got a sending date.
  std::vector<qint64> datedNow;
  for (qint64 id : datedReports()) {
    if (std::find(datedBefore.begin(), datedBefore.end(), id) == datedBefore.end()) datedNow.push_back(id);
  }
  ASSERT_LE(datedNow.size(), 1u);
  if (!datedNow.empty()) {
    EXPECT_TRUE(files[0].endsWith(QString::number(datedNow[0]) + ".xml")) << files[0].toStdString();
  }
  ASSERT_EQ(dialogs_.core.messages().size(), 1);
  EXPECT_TRUE(dialogs_.core.messages()[0].startsWith("Eksport przerwano.")) << dialogs_.core.messages()[0].toStdString();
  EXPECT_TRUE(dialogs_.core.messages()[0].contains(files[0]));
}

TEST_F(WizardTest, KeyboardMnemonicsChooseEnterIsNextAndEscapeCancels) {
  gui::TfrmWertalo& w = open();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  // A caption's mnemonic chooses its control: "Eksport &bilansów", then "Eksport &sprawozdań".
  QTest::keyClick(&w, Qt::Key_B, Qt::AltModifier);
  // The button is clicked as by the mouse, a moment later.
  EXPECT_TRUE(QTest::qWaitFor([&] { return session_->kind() == catalogue::teBilanse; }));
  EXPECT_TRUE(w.welcome->rbEksportBilansow->isChecked());
  QTest::keyClick(&w, Qt::Key_S, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return session_->kind() == catalogue::teSprawozdania; }));
  QTest::keyClick(&w, Qt::Key_Return);
  EXPECT_EQ(w.currentId(), kReportsPage);
  QTest::keyClick(&w, Qt::Key_Escape);
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(w.result(), QDialog::Rejected);
}

// "Ustawienia" on page 1: the settings form over the wizard; what it stores is in Wertalo.xml
// for the next start, and the wizard's boxes and selection follow it at once.
TEST_F(WizardTest, TheSettingsFormStoresItsValuesAndTheWizardFollowsThem) {
  gui::TfrmWertalo& w = open();
  const int approvedOnly = session_->selection().recordCount();
  bool shown = false;
  QTimer::singleShot(0, &w, [&] {
    auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(form, nullptr);
    shown = true;
    for (const char* name : {"chkEksportujZatw", "cbSpakuj", "cbGrupoweJst"}) form->findChild<QCheckBox*>(name)->setChecked(false);
    for (const char* name : {"cbInterfejsftp", "cbUsun", "cbStandardowe"}) form->findChild<QCheckBox*>(name)->setChecked(true);
    form->findChild<QPushButton*>("btnZapisz")->click();
    form->findChild<QPushButton*>("btnZamknij")->click();
  });
  w.welcome->btnUstawienia->click();
  ASSERT_TRUE(shown);
  EXPECT_TRUE(dialogs_.errors.isEmpty()) << dialogs_.errors.join('\n').toStdString();
  EXPECT_TRUE(dialogs_.core.messages().isEmpty()) << dialogs_.core.messages().join('\n').toStdString();

  EXPECT_FALSE(session_->options().bEksportZatw);
  EXPECT_GT(session_->selection().recordCount(), approvedOnly);
  EXPECT_EQ(w.welcome->o->model()->rowCount(), session_->selection().recordCount());
  EXPECT_FALSE(w.completion->cbSpakuj->isChecked());
  EXPECT_FALSE(w.completion->cbUsun->isEnabled());  // follows "Spakuj pliki"
  EXPECT_TRUE(w.completion->cbInterfejsftp->isChecked());
  EXPECT_FALSE(w.completion->cbWysylkaZewn->isChecked());  // at most one route
  EXPECT_FALSE(w.reports->cbGrupoweJst->isChecked());
  EXPECT_TRUE(w.summary->cbStandardowe->isChecked());
  EXPECT_FALSE(session_->options().bDodajInfo);

  QFile stored(settingsFile_);
  ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
  EXPECT_TRUE(isWellFormedXml(stored.readAll()));
  const auto next = operations::Session::open({demo_.winIni, settingsFile_}, dialogs_);
  EXPECT_FALSE(next->settings().chkEksportujZatw);
  EXPECT_FALSE(next->settings().cbSpakuj);
  EXPECT_TRUE(next->settings().cbInterfejsftp);
  EXPECT_TRUE(next->settings().cbStandardowe);
}

}  // namespace
}  // namespace wertalo::test
