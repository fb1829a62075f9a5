#include "wizard_fixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <QAbstractButton>

#include "core/db/query.h"
#include "core/platform/ini_file.h"
#include "support/demo_reports.h"

namespace wertalo::test {

namespace {

// The demo installation is made once and copied for each test (making it takes seconds).
struct DemoTemplate {
  QTemporaryDir root;
  demo::DemoInstallation demo;
  QString folder;
  DemoTemplate() {
    folder = root.filePath(QStringLiteral("demo"));
    demo::DemoOptions options;
    options.folder = folder;
    options.units = 2;
    demo = demo::createDemoInstallation(options);
  }
};

const DemoTemplate& demoTemplate() {
  static const DemoTemplate made;
  return made;
}

// A copy of the template in `folder`, its paths pointing into the copy.
demo::DemoInstallation copyDemo(const QString& folder) {
  const DemoTemplate& from = demoTemplate();
  const QDir source(from.folder);
  QDirIterator it(from.folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
  QDir().mkpath(folder);
  while (it.hasNext()) {
    const QString path = it.next();
    const QString target = folder + QLatin1Char('/') + source.relativeFilePath(path);
    if (it.fileInfo().isDir()) {
      QDir().mkpath(target);
    } else {
      QFile::copy(path, target);
      QFile::setPermissions(target, it.fileInfo().permissions());
    }
  }
  const auto moved = [&](const QString& path) { return folder + path.mid(from.folder.size()); };
  demo::DemoInstallation copy = from.demo;
  copy.winIni = moved(copy.winIni);
  copy.configFile = moved(copy.configFile);
  copy.sender = moved(copy.sender);
  copy.database = moved(copy.database);
  for (const QString& ini : {copy.winIni, copy.configFile}) {
    QFile file(ini);
    file.open(QIODevice::ReadOnly);
    const QByteArray text = file.readAll().replace(from.folder.toUtf8(), folder.toUtf8());
    file.close();
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(text);
  }
  return copy;
}

}  // namespace

void WizardTest::SetUp() {
  ASSERT_TRUE(root_.isValid());
  demo_ = copyDemo(root_.filePath(QStringLiteral("demo")));
  settingsFile_ = root_.filePath(QStringLiteral("config/Wertalo.xml"));
  ftpHostFile_ = root_.filePath(QStringLiteral("config/FtpHost.ini"));
}

void WizardTest::TearDown() {
  wizard_.reset();
  session_.reset();
}

gui::TfrmWertalo& WizardTest::open(const gui::WizardCommandLine& commandLine) {
  session_ = operations::Session::open({demo_.winIni, settingsFile_}, dialogs_);
  gui::WizardServices services;
  services.ftpHostFile = ftpHostFile_;
  wizard_ = std::make_unique<gui::TfrmWertalo>(*session_, dialogs_, commandLine, services);
  wizard_->show();
  return *wizard_;
}

int WizardTest::next() {
  wizard_->button(QWizard::NextButton)->click();
  return wizard_->currentId();
}

void WizardTest::exportAll() {
  ASSERT_EQ(next(), gui::kReportsPage);
  ASSERT_EQ(next(), gui::kSummaryPage);
  ASSERT_EQ(next(), gui::kCompletionPage);
}

QString WizardTest::exportFolder() const { return session_->dataModule().exportFolder(); }

QStringList WizardTest::exportedFiles(const QString& pattern) const {
  return QDir(exportFolder()).entryList({pattern}, QDir::Files | QDir::Hidden, QDir::Name);
}

std::vector<qint64> WizardTest::datedReports(const QString& table) const {
  db::DataSet rows = db::openSql(session_->dataModule().DB(),
                                 QStringLiteral("SELECT IDSPRAW FROM %1 WHERE DATAWYSLANIA IS NOT NULL ORDER BY IDSPRAW").arg(table));
  std::vector<qint64> ids;
  for (rows.first(); !rows.eof(); rows.next()) ids.push_back(rows.integer(u"IDSPRAW"));
  return ids;
}

std::vector<qint64> WizardTest::latestBudgetUnitReports() {
  const auto probe = operations::Session::open({demo_.winIni, settingsFile_}, dialogs_);
  return test::latestBudgetUnitReports(probe->dataModule().DB());
}

void WizardTest::setConfigKey(const QString& key, const QString& value) const {
  platform::writeProfileString(demo_.configFile, QStringLiteral("configTervik"), key, value);
}

QAbstractButton* radio(const QWidget* group, int item) {
  auto* button = group->findChild<QAbstractButton*>(group->objectName() + QLatin1Char('_') + QString::number(item));
  if (button == nullptr) ADD_FAILURE() << "no item " << item << " in " << group->objectName().toStdString();
  return button;
}

QString textOf(const QWidget& parent, const char* name) {
  const QObject* child = parent.findChild<QObject*>(QString::fromLatin1(name));
  return child != nullptr ? child->property("text").toString() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

}  // namespace wertalo::test
