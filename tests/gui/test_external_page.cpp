// The external-sender page: the archive, the user, the preview, and Finish handing the archive
// to the demo's sending program (a script that records the descriptor it is started with).
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include "gui/external_page.h"
#include "support/xml_check.h"
#include "wizard_fixture.h"

namespace wertalo::test {
namespace {

QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the demo's sending program recorded, waiting a while for the detached program.
QByteArray sentRecord(const QString& pathMain) {
  const QString record = QDir(pathMain).filePath("wyslane.txt");
  QDeadlineTimer deadline(10000);
  while (!QFileInfo::exists(record) && !deadline.hasExpired()) QThread::msleep(20);
  return readAll(record);
}

class ExternalPageTest : public WizardTest {
 protected:
  // To the sender page after an export of every report.
  gui::ExternalPage& toSenderPage(const gui::WizardCommandLine& line = {}) {
    gui::TfrmWertalo& w = open(line);
    exportAll();
    w.next();
    EXPECT_EQ(w.currentId(), gui::kExternalPage);
    return *w.external;
  }
  QString pathMain() const { return QFileInfo(demo_.configFile).path(); }
};

TEST_F(ExternalPageTest, EnteringPacksANewArchiveAndPreviewsItsDescriptor) {
  gui::ExternalPage& page = toSenderPage();
  const QString archive = page.archive();
  ASSERT_TRUE(QFileInfo::exists(archive)) << archive.toStdString();
  EXPECT_EQ(QFileInfo(archive).path(), exportFolder());
  const QStringList expected{"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<filerepository>",
                             "<system>Kalmeto Tervik</system>", "<filepath>" + archive + "</filepath>",
                             "<description></description>", "</filerepository>"};
  EXPECT_EQ(page.memoWysylkaOldschoolowa->toPlainText().split('\n'), expected);
  EXPECT_TRUE(wizard_->button(QWizard::FinishButton)->isVisible());
  EXPECT_TRUE(wizard_->button(QWizard::CancelButton)->isVisible());

  // Every entry builds a new archive.
  wizard_->back();
  wizard_->next();
  EXPECT_NE(page.archive(), archive);
  EXPECT_EQ(exportedFiles("*.zip").size(), 2);
}

TEST_F(ExternalPageTest, FinishWritesTheDescriptorAndTheCommandFileAndStartsTheProgram) {
  gui::ExternalPage& page = toSenderPage();
  const QString archive = page.archive();
  wizard_->button(QWizard::FinishButton)->click();
  EXPECT_EQ(wizard_->result(), QDialog::Accepted);
  ASSERT_TRUE(dialogs_.errors.isEmpty()) << dialogs_.errors.join('\n').toStdString();

  const QString descriptor = QDir(exportFolder()).filePath("eksport.xml");
  const QByteArray xml = readAll(descriptor);
  EXPECT_TRUE(isWellFormedXml(xml));
  EXPECT_TRUE(xml.contains("<filepath>" + archive.toUtf8() + "</filepath>"));
  EXPECT_FALSE(xml.contains("<user>"));
  EXPECT_EQ(readAll(QDir(pathMain()).filePath("wysylka.txt")),
            "\"" + demo_.sender.toUtf8() + "\" \"" + descriptor.toUtf8() + "\"\r\n");
  EXPECT_EQ(sentRecord(pathMain()), descriptor.toUtf8() + "\n");
}

TEST_F(ExternalPageTest, TheLoginOfTheCommandLineNamesTheUserAndZalogujChecksThePassword) {
  gui::ExternalPage& page = toSenderPage({true, "anowak", ""});
  EXPECT_EQ(wizard_->user, "anowak");
  EXPECT_EQ(page.edUser->text(), "anowak");
  EXPECT_FALSE(page.edUser->isVisible());
  EXPECT_FALSE(page.edHaslo->isVisible());
  const QString preview = page.memoWysylkaOldschoolowa->toPlainText();
  EXPECT_TRUE(preview.contains("<user>\n<id>1</id>\n<login>anowak</login>\n")) << preview.toStdString();

  // The password field is hidden and empty: "Zaloguj" finds only a user with an empty password.
  page.Button3Click();
  EXPECT_EQ(wizard_->user, "");
  EXPECT_FALSE(page.memoWysylkaOldschoolowa->toPlainText().contains("<user>"));
  page.edHaslo->setText("Zima2014!");
  page.Button3Click();
  EXPECT_EQ(wizard_->user, "anowak");

  wizard_->button(QWizard::FinishButton)->click();
  const QByteArray xml = readAll(QDir(exportFolder()).filePath("eksport.xml"));
  EXPECT_TRUE(xml.contains("<login>anowak</login>")) << xml.toStdString();
}

TEST_F(ExternalPageTest, AnUnknownLoginSendsWithoutAUser) {
  gui::ExternalPage& page = toSenderPage({true, "nieznany", ""});
  EXPECT_EQ(wizard_->user, "");
  EXPECT_FALSE(page.memoWysylkaOldschoolowa->toPlainText().contains("<user>"));
}

TEST_F(ExternalPageTest, ACommandFileThatCannotBeWrittenKeepsTheWizardHereAndStartsNothing) {
  toSenderPage();
  // A folder where the command file should be: it cannot be replaced.
  ASSERT_TRUE(QDir(pathMain()).mkdir("wysylka.txt"));
  wizard_->button(QWizard::FinishButton)->click();
  EXPECT_EQ(wizard_->currentId(), gui::kExternalPage);
  EXPECT_TRUE(wizard_->isVisible());
  ASSERT_EQ(dialogs_.errors.size(), 1);
  EXPECT_TRUE(dialogs_.errors[0].contains("wysylka.txt")) << dialogs_.errors[0].toStdString();
  QThread::msleep(300);
  EXPECT_FALSE(QFileInfo::exists(QDir(pathMain()).filePath("wyslane.txt")));
}

}  // namespace
}  // namespace wertalo::test
