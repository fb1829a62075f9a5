// The completion page: its text, the rules of its boxes, Next or Finish, and packing at Finish.
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QRegularExpression>

#include "gui/completion_page.h"
#include "gui/reports_page.h"
#include "wizard_fixture.h"

namespace wertalo::test {
namespace {

// Which of Next and Finish the wizard shows.
QString finishOrNext(const gui::TfrmWertalo& w) {
  const bool next = w.button(QWizard::NextButton)->isVisible();
  const bool finish = w.button(QWizard::FinishButton)->isVisible();
  return next && !finish ? "Next" : finish && !next ? "Finish" : "both or none";
}

TEST_F(WizardTest, TheSendingRoutesExcludeEachOtherAndChooseNextOrFinish) {
  gui::TfrmWertalo& w = open();
  exportAll();
  gui::CompletionPage& p = *w.completion;
  // The demo's product names a sending program: that route is offered and taken.
  EXPECT_TRUE(p.cbWysylkaZewn->isVisible());
  EXPECT_TRUE(p.cbWysylkaZewn->isChecked());
  EXPECT_EQ(finishOrNext(w), "Next");
  EXPECT_EQ(w.nextId(), gui::kExternalPage);

  p.cbInterfejsftp->click();
  EXPECT_FALSE(p.cbWysylkaZewn->isChecked());
  EXPECT_EQ(finishOrNext(w), "Next");
  EXPECT_EQ(w.nextId(), gui::kFtpPage);

  p.cbInterfejsftp->click();
  EXPECT_EQ(finishOrNext(w), "Finish");
  EXPECT_EQ(w.nextId(), -1);

  p.cbSpakuj->click();
  EXPECT_FALSE(p.cbSpakuj->isChecked());
  EXPECT_FALSE(p.cbUsun->isEnabled());
  p.cbWysylkaZewn->click();  // the external route needs an archive
  EXPECT_TRUE(p.cbSpakuj->isChecked());
  EXPECT_TRUE(p.cbUsun->isEnabled());
  EXPECT_FALSE(p.cbInterfejsftp->isChecked());

  p.cbPolaczZserweremFTP->click();
  EXPECT_FALSE(p.cbWsylijPopolaczeniu->isEnabled());
  p.cbPolaczZserweremFTP->click();
  EXPECT_TRUE(p.cbWsylijPopolaczeniu->isEnabled());
}

TEST_F(WizardTest, WithoutASendingProgramTheExternalRouteIsNeitherOfferedNorTaken) {
  setConfigKey("CommunicationSrv", "");
  gui::TfrmWertalo& w = open();
  exportAll();
  gui::CompletionPage& p = *w.completion;
  EXPECT_FALSE(p.cbWysylkaZewn->isVisible());
  EXPECT_FALSE(p.cbWysylkaZewn->isEnabled());
  EXPECT_FALSE(p.cbWysylkaZewn->isChecked());
  EXPECT_EQ(finishOrNext(w), "Finish");
  EXPECT_EQ(w.nextId(), -1);
}

TEST_F(WizardTest, FinishPacksTheWrittenFilesIntoANewArchiveAndDeletesThemWhenAsked) {
  setConfigKey("CommunicationSrv", "");
  gui::TfrmWertalo& w = open();
  exportAll();
  const int written = static_cast<int>(w.lastRun.files.size());
  ASSERT_GT(written, 0);
  w.completion->cbUsun->setChecked(true);
  w.button(QWizard::FinishButton)->click();
  EXPECT_EQ(w.result(), QDialog::Accepted);
  EXPECT_FALSE(w.isVisible());
  const QStringList archives = exportedFiles("*.zip");
  ASSERT_EQ(archives.size(), 1);
  EXPECT_EQ(QFileInfo(w.plik).fileName(), archives[0]);
  const QRegularExpression name(QStringLiteral("^jst_%1_14__\\{[0-9A-F-]{36}\\}\\.zip$").arg(session_->unit().OKRES));
  EXPECT_TRUE(name.match(archives[0]).hasMatch()) << archives[0].toStdString();
  EXPECT_TRUE(exportedFiles("*.xml").isEmpty());
}

TEST_F(WizardTest, FinishWithoutPackingLeavesTheFilesAlone) {
  setConfigKey("CommunicationSrv", "");
  gui::TfrmWertalo& w = open();
  exportAll();
  w.completion->cbSpakuj->setChecked(false);
  w.button(QWizard::FinishButton)->click();
  EXPECT_EQ(w.result(), QDialog::Accepted);
  EXPECT_TRUE(exportedFiles("*.zip").isEmpty());
  EXPECT_EQ(exportedFiles("*.xml").size(), static_cast<int>(w.lastRun.files.size()));
}

}  // namespace
}  // namespace wertalo::test
