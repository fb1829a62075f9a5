// The golden export: every case of cases.txt exported from the demo installation and compared
// byte for byte with the files kept here (written only by scripts/update-golden), together
// with the exit code and the console text of the export.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <vector>

#include "support/cli_run.h"
#include "support/golden_compare.h"
#include "support/xml_check.h"

namespace wertalo {
namespace {

const QString kGoldenDir = QStringLiteral(WERTALO_GOLDEN_DIR);

// One case: its name (the folder of its files) and the arguments that follow
// `export --win-ini DEMO/win.ini --out OUT`, where "{out}" stands for OUT.
struct GoldenCase {
  QString name;
  QStringList args;
};

void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.name.toStdString(); }

// cases.txt read as scripts/update-golden reads it; `error` says what is wrong with it.
struct CaseList {
  QStringList demoArgs;
  std::vector<GoldenCase> cases;
  QString error;
};

CaseList readCaseList() {
  CaseList list;
  QFile file(kGoldenDir + QStringLiteral("/cases.txt"));
  if (!file.open(QIODevice::ReadOnly)) {
    list.error = file.fileName() + QStringLiteral(": ") + file.errorString();
    return list;
  }
  static const QRegularExpression caseName(QStringLiteral("^[a-z0-9][a-z0-9-]*$"));
  bool demoSeen = false;
  for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
    const QStringList words = line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (words.isEmpty() || words.first().startsWith(QLatin1Char('#'))) continue;
    if (words.first() == QLatin1String("demo")) {
      list.demoArgs = words.mid(1);
      demoSeen = true;
    } else if (words.first() == QLatin1String("case") && words.size() > 1 && caseName.match(words.at(1)).hasMatch() &&
               std::none_of(list.cases.begin(), list.cases.end(), [&](const GoldenCase& c) { return c.name == words.at(1); })) {
      list.cases.push_back({words.at(1), words.mid(2)});
    } else {
      list.error = QStringLiteral("cases.txt: a line that is neither demo nor a new case: ") + line;
      return list;
    }
  }
  if (!demoSeen || list.cases.empty()) list.error = QStringLiteral("cases.txt: no demo line or no case");
  return list;
}

const CaseList& caseList() {
  static const CaseList list = readCaseList();
  return list;
}

using test::ProgramRun;

// Runs wertalo-cli with a settings folder of its own.
ProgramRun runCli(const QStringList& args, const QString& configDir) {
  return test::runProgram(QStringLiteral(WERTALO_CLI_PATH), args, configDir);
}

// Copies a folder with its sub-folders; false when a file cannot be copied.
bool copyFolder(const QString& from, const QString& to) {
  const QDir source(from);
  if (!QDir().mkpath(to)) return false;
  QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo entry(it.next());
    const QString target = to + QLatin1Char('/') + source.relativeFilePath(entry.filePath());
    if (entry.isDir() ? !QDir().mkpath(target) : !QFile::copy(entry.filePath(), target)) return false;
  }
  return true;
}

QByteArray readFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The console text of a run as NAME.console.txt keeps it: the folders of this run become
// {out} and {demo}, every other byte stays.
QByteArray consoleText(const ProgramRun& run, const QString& out, const QString& demo) {
  const auto normalised = [&](QByteArray text) {
    return text.replace(out.toUtf8(), QByteArrayLiteral("{out}")).replace(demo.toUtf8(), QByteArrayLiteral("{demo}"));
  };
  return QByteArrayLiteral("exit code: ") + QByteArray::number(run.exitCode) + QByteArrayLiteral("\n--- stdout\n") +
         normalised(run.out) + QByteArrayLiteral("--- stderr\n") + normalised(run.err);
}

class GoldenExport : public ::testing::TestWithParam<GoldenCase> {
 protected:
  // One demo installation for every case; each case gets it back as it was made.
  static void SetUpTestSuite() {
    work = std::make_unique<QTemporaryDir>();
    const ProgramRun made =
        runCli(QStringList{QStringLiteral("demo"), pristine()} + caseList().demoArgs, work->filePath(QStringLiteral("config")));
    demoError = made.exitCode == 0 && made.failure.isEmpty()
                    ? QString()
                    : QStringLiteral("demo: %1 %2").arg(made.failure, QString::fromUtf8(made.err));
  }
  static void TearDownTestSuite() { work.reset(); }

  static QString pristine() { return work->filePath(QStringLiteral("pristine")); }
  static QString demo() { return work->filePath(QStringLiteral("demo")); }

  void SetUp() override {
    ASSERT_TRUE(demoError.isEmpty()) << demoError.toStdString();
    ASSERT_TRUE(QDir(demo()).removeRecursively());
    ASSERT_TRUE(copyFolder(pristine(), demo()));
  }

  static inline std::unique_ptr<QTemporaryDir> work;
  static inline QString demoError;
};

TEST_P(GoldenExport, WritesTheExpectedBytes) {
  const GoldenCase& c = GetParam();
  const QString out = work->filePath(QStringLiteral("out/") + c.name);
  ASSERT_TRUE(QDir().mkpath(out));
  QStringList args{QStringLiteral("export"), QStringLiteral("--win-ini"), demo() + QStringLiteral("/win.ini"),
                   QStringLiteral("--out"), out};
  for (const QString& arg : c.args) args << QString(arg).replace(QStringLiteral("{out}"), out);
  const ProgramRun run = runCli(args, work->filePath(QStringLiteral("config/") + c.name));
  ASSERT_TRUE(run.failure.isEmpty()) << run.failure.toStdString();

  const QString golden = kGoldenDir + QLatin1Char('/') + c.name;
  const auto expected = test::readFiles(golden);
  ASSERT_FALSE(expected.empty()) << "no expected files in " << golden.toStdString() << " (scripts/update-golden writes them)";
  const QString console = c.name + QStringLiteral(".console.txt");
  const QByteArray expectedConsole = readFile(kGoldenDir + QLatin1Char('/') + console);
  EXPECT_TRUE(test::sameBytes(console, expectedConsole, consoleText(run, out, demo())));
  const auto actual = test::readFiles(out);
  EXPECT_TRUE(test::sameFiles(expected, actual)) << "case " << c.name.toStdString();

  // Every file is well-formed for Qt's reader and for xmllint.
  QStringList paths;
  for (const auto& [name, bytes] : actual) {
    EXPECT_TRUE(test::isWellFormedXml(bytes)) << c.name.toStdString() << "/" << name.toStdString();
    paths << out + QLatin1Char('/') + name;
  }
  QProcess lint;
  lint.start(QStringLiteral("xmllint"), QStringList{QStringLiteral("--noout")} + paths);
  ASSERT_TRUE(lint.waitForFinished(60000)) << lint.errorString().toStdString();
  EXPECT_EQ(lint.exitCode(), 0) << c.name.toStdString() << ": " << lint.readAllStandardError().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenExport, ::testing::ValuesIn(caseList().cases),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                           return QString(info.param.name).replace(QLatin1Char('-'), QLatin1Char('_')).toStdString();
                         });

// The case list is read whole, and everything kept here belongs to one of its cases.
TEST(GoldenCaseList, NamesEveryGoldenFolder) {
  const CaseList& list = caseList();
  ASSERT_TRUE(list.error.isEmpty()) << list.error.toStdString();
  QStringList names;
  for (const GoldenCase& c : list.cases) names << c.name;
  const QDir dir(kGoldenDir);
  for (const QString& folder : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
    EXPECT_TRUE(names.contains(folder)) << "tests/golden/" << folder.toStdString() << " is not a case of cases.txt";
  for (const QString& file : dir.entryList({QStringLiteral("*.console.txt")}, QDir::Files))
    EXPECT_TRUE(names.contains(file.chopped(QStringLiteral(".console.txt").size())))
        << "tests/golden/" << file.toStdString() << " is not a case of cases.txt";
}

}  // namespace
}  // namespace wertalo
