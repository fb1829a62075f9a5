// The session's packing and external sending, as the wizard's last pages call them: the
// archive of an export result, its name from the choice, deleting only after a packing that
// succeeded, and the hand-over to the product's sending program.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#include "core/db/query.h"
#include "core/demo/demo_installation.h"
#include "core/operations/session.h"
#include "core/platform/user_interface.h"
#include "core/sending/sending_error.h"
#include "file_access.h"
#include "support/xml_check.h"

namespace wertalo::operations {
namespace {

QStringList folderEntries(const QString& folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SessionSending : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    install_ = demo::createDemoInstallation({dir_.filePath(QStringLiteral("demo")), 1});
    out_ = dir_.filePath(QStringLiteral("eksport"));
  }

  // Opens the installation and exports the latest period's reports of `units` ("" for the city).
  catalogue::ExportResult exportReports(const QString& units) {
    session_ = Session::open({install_.winIni, dir_.filePath(QStringLiteral("Wertalo.xml"))}, ui_);
    catalogue::RunOptions options = session_->options();
    options.dirKatalog = out_;
    options.bEksportZatw = false;
    options.chkZapiszPojedynczo = true;
    session_->setOptions(options);
    Choice choice;
    choice.budgetUnits = units;
    session_->choose(choice);
    const catalogue::ExportResult result = session_->exportSelection();
    EXPECT_FALSE(result.files.empty());
    return result;
  }

  QTemporaryDir dir_;
  demo::DemoInstallation install_;
  QString out_;
  platform::RecordingUserInterface ui_;
  std::unique_ptr<Session> session_;
};

TEST_F(SessionSending, TheArchiveOfTheCityHoldsItsFilesAndIsNamedAfterTheChoice) {
  const catalogue::ExportResult result = exportReports(QString());
  const QString archive = session_->pack(result, false);
  const catalogue::MemMain& unit = session_->unit();
  // The unit itself has no budget-unit row: the REGON part is empty.
  const QRegularExpression name(QStringLiteral("^jst_%1_%2__\\{[0-9A-F-]{36}\\}\\.zip$").arg(unit.OKRES, unit.ROK));
  EXPECT_TRUE(name.match(QFileInfo(archive).fileName()).hasMatch()) << archive.toStdString();
  EXPECT_EQ(QFileInfo(archive).path(), out_);
  // The files stay; a second packing is a second archive.
  EXPECT_EQ(folderEntries(out_).size(), result.files.size() + 1);
  EXPECT_NE(session_->pack(result, false), archive);
  EXPECT_TRUE(ui_.messages().isEmpty()) << ui_.messages().join(QLatin1Char('\n')).toStdString();
}

TEST_F(SessionSending, TheArchiveOfABudgetUnitCarriesItsRegonAndDeletedFilesAreGone) {
  const catalogue::ExportResult result = exportReports(QStringLiteral("1,"));
  QString regon;
  {
    db::DataSet unit = db::openSql(session_->dataModule().DB(),
                                   QStringLiteral("SELECT REGON, REGON_2 FROM JBOBS WHERE ID_JB=1 AND ROK='%1' AND OKRES='%2'")
                                       .arg(session_->unit().ROK, session_->unit().OKRES));
    ASSERT_FALSE(unit.isEmpty());
    regon = unit.text(u"REGON") + unit.text(u"REGON_2");
  }
  ASSERT_FALSE(regon.isEmpty());
  const QString archive = session_->pack(result, true);
  EXPECT_TRUE(QFileInfo(archive).fileName().startsWith(
      QStringLiteral("jb__%1_%2_%3_{").arg(session_->unit().OKRES, session_->unit().ROK, regon)))
      << archive.toStdString();
  // Deleted after the packing succeeded: only the archive is left.
  EXPECT_EQ(folderEntries(out_), QStringList{QFileInfo(archive).fileName()});
}

TEST_F(SessionSending, AFailedPackingRaisesLeavesNoArchiveAndDeletesNothing) {
  const catalogue::ExportResult result = exportReports(QString());
  const QStringList before = folderEntries(out_);
  ASSERT_TRUE(QFile::setPermissions(out_, QFile::ReadOwner | QFile::ExeOwner));
  QString message;
  {
    test::PermissionsEnforced enforced;
    try {
      session_->pack(result, true);
    } catch (const sending::SendingError& e) {
      message = e.message();
    }
  }
  QFile::setPermissions(out_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_TRUE(message.startsWith(QStringLiteral("Nie można spakować plików do archiwum \"") + out_ + QStringLiteral("/jst_")))
      << message.toStdString();
  EXPECT_TRUE(message.endsWith(QStringLiteral(": Permission denied\nŻaden plik nie został usunięty."))) << message.toStdString();
  EXPECT_EQ(folderEntries(out_), before);
  // Nothing was shown: the front end shows the error its own way.
  EXPECT_TRUE(ui_.messages().isEmpty());
}

TEST_F(SessionSending, AnEmptyResultIsNoArchive) {
  exportReports(QString());
  EXPECT_THROW(session_->pack(catalogue::ExportResult(), false), sending::SendingError);
}

TEST_F(SessionSending, TheSendingProgramGetsTheDescriptorWithTheUser) {
  const catalogue::ExportResult result = exportReports(QString());
  const QString archive = session_->pack(result, false);
  const sending::ExternalSendResult sent = session_->sendExternal(archive, QStringLiteral("anowak"));
  EXPECT_EQ(sent.descriptor, out_ + QStringLiteral("/eksport.xml"));
  EXPECT_EQ(sent.program, install_.sender);
  EXPECT_TRUE(sent.started);
  const QByteArray bytes = fileBytes(sent.descriptor);
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  EXPECT_TRUE(bytes.contains("<login>anowak</login>"));
  EXPECT_TRUE(bytes.contains("<filepath>" + archive.toUtf8() + "</filepath>"));
  // A login that is no user: the descriptor has no user part; the check says so beforehand.
  EXPECT_THROW(session_->checkExternalSending(QStringLiteral("nikt")), Error);
  session_->sendExternal(archive, QStringLiteral("nikt"));
  EXPECT_FALSE(fileBytes(sent.descriptor).contains("<user>"));
}

}  // namespace
}  // namespace wertalo::operations
