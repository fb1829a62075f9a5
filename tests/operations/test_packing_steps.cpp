// After an export: the archive of the files written (its name, the files deleted when asked)
// and the external sender as the command line calls it.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/demo/demo_installation.h"
#include "core/operations/session.h"
#include "support/qt_printers.h"

namespace wertalo::operations {
namespace {

class PackingSteps : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    demo::DemoOptions options;
    options.folder = root_.filePath(QStringLiteral("demo"));
    options.units = 2;
    demo_ = demo::createDemoInstallation(options);
    session_ = Session::open({demo_.winIni, root_.filePath(QStringLiteral("Wertalo.xml"))}, ui_);
    catalogue::RunOptions run = session_->options();
    run.chkZapiszPojedynczo = true;
    run.bEksportZatw = false;
    run.dirKatalog = root_.filePath(QStringLiteral("eksport"));
    session_->setOptions(run);
  }

  // Exports the reports of the budget units (all of them) or of the unit itself.
  catalogue::ExportResult exportReports(bool budgetUnits) {
    Choice choice;
    if (budgetUnits) {
      session_->choose(choice);
      for (const BudgetUnitItem& unit : session_->budgetUnits()) choice.budgetUnits += QString::number(unit.id) + ',';
    }
    session_->choose(choice);
    return session_->exportSelection();
  }

  QTemporaryDir root_;
  demo::DemoInstallation demo_;
  platform::RecordingUserInterface ui_;
  std::unique_ptr<Session> session_;
};

TEST_F(PackingSteps, TheArchiveOfTheUnitItselfHasNoRegonPart) {
  const catalogue::ExportResult result = exportReports(false);
  ASSERT_FALSE(result.files.empty());
  const QString archive = session_->pack(result, false);
  ASSERT_FALSE(archive.isEmpty()) << ui_.messages().join('\n').toStdString();
  const QRegularExpression name(
      QStringLiteral("^jst_%1_%2__\\{[0-9A-F-]{36}\\}\\.zip$").arg(session_->unit().OKRES, session_->unit().ROK));
  EXPECT_TRUE(name.match(QFileInfo(archive).fileName()).hasMatch()) << archive.toStdString();
  EXPECT_EQ(QFileInfo(archive).path(), session_->dataModule().exportFolder());
  for (const catalogue::WrittenFile& file : result.files) EXPECT_TRUE(QFileInfo::exists(file.path));
  // Each packing makes a new archive.
  EXPECT_NE(session_->pack(result, false), archive);
}

TEST_F(PackingSteps, TheArchiveOfBudgetUnitsCarriesTheRegonOfTheRunsUnitAndThePackedFilesGo) {
  const catalogue::ExportResult result = exportReports(true);
  ASSERT_FALSE(result.files.empty());
  const QString archive = session_->pack(result, true);
  ASSERT_FALSE(archive.isEmpty()) << ui_.messages().join('\n').toStdString();
  const QRegularExpression name(
      QStringLiteral("^jb__%1_%2_[0-9 ]+_\\{[0-9A-F-]{36}\\}\\.zip$").arg(session_->unit().OKRES, session_->unit().ROK));
  EXPECT_TRUE(name.match(QFileInfo(archive).fileName()).hasMatch()) << archive.toStdString();
  for (const catalogue::WrittenFile& file : result.files) EXPECT_FALSE(QFileInfo::exists(file.path)) << file.path.toStdString();
}

TEST_F(PackingSteps, AFailedPackingKeepsTheFilesAndSaysWhy) {
  const catalogue::ExportResult result = exportReports(false);
  ASSERT_FALSE(result.files.empty());
  ASSERT_TRUE(QFile::remove(result.files.front().path));
  EXPECT_TRUE(session_->pack(result, true).isEmpty());
  ASSERT_EQ(ui_.messages().size(), 1);
  for (size_t i = 1; i < result.files.size(); ++i) EXPECT_TRUE(QFileInfo::exists(result.files[i].path));
  EXPECT_TRUE(QDir(session_->dataModule().exportFolder()).entryList({QStringLiteral("*.zip")}).isEmpty());
}

TEST_F(PackingSteps, TheExternalSenderGetsTheUserOfTheLogin) {
  const catalogue::ExportResult result = exportReports(false);
  const QString archive = session_->pack(result, false);
  ASSERT_FALSE(archive.isEmpty());
  EXPECT_TRUE(session_->externalSendingPossible());
  const sending::ExternalSendResult sent = session_->sendExternal(archive, QStringLiteral("kwisniewska"));
  EXPECT_EQ(sent.descriptor, QDir(QFileInfo(archive).path()).filePath(QStringLiteral("eksport.xml")));
  QFile descriptor(sent.descriptor);
  ASSERT_TRUE(descriptor.open(QIODevice::ReadOnly));
  const QByteArray xml = descriptor.readAll();
  EXPECT_TRUE(xml.contains("<login>kwisniewska</login>")) << xml.toStdString();
  EXPECT_TRUE(xml.contains("<system>Kalmeto Tervik</system>"));
  EXPECT_EQ(sent.program, demo_.sender);
  EXPECT_TRUE(sent.started);
}

}  // namespace
}  // namespace wertalo::operations
