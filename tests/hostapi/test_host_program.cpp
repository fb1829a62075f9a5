// The host program in C (host_check.c) loading libwertalo.so with dlopen on the demo
// installation: its checks of every case, the texts it got compared with the golden export,
// 1,000 calls under valgrind, the library's exported symbols, and an installed copy.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "core/db/connection.h"
#include "core/db/query.h"
#include "core/demo/demo_installation.h"
#include "core/text/cp1250.h"
#include "support/xml_check.h"

namespace wertalo {
namespace {

const QString kGoldenDir = QStringLiteral(WERTALO_GOLDEN_DIR);

struct Run {
  int exitCode = -1;
  QString out;
  QString err;
};

// Runs a program with WERTALO_WIN_INI set, for at most `seconds`.
Run run(const QString& program, const QStringList& args, const QString& winIni, int seconds = 120) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("WERTALO_WIN_INI"), winIni);
  process.setProcessEnvironment(env);
  process.start(program, args);
  Run result;
  if (!process.waitForFinished(seconds * 1000) || process.exitStatus() != QProcess::NormalExit) {
    result.err = QStringLiteral("did not end: ") + process.errorString() + QLatin1Char('\n');
    process.kill();
    process.waitForFinished();
  } else {
    result.exitCode = process.exitCode();
  }
  result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
  result.err += QString::fromLocal8Bit(process.readAllStandardError());
  return result;
}

// The identifier in a golden file's name ("Rb-27s__1513.xml" → 1513) of the first file of a
// case whose name starts with `prefix`.
QStringList goldenIds(const QString& caseName, const QString& prefix) {
  QStringList ids;
  static const QRegularExpression trailingId(QStringLiteral("(\\d+)\\.xml$"));
  QDirIterator it(kGoldenDir + QLatin1Char('/') + caseName, {prefix + QStringLiteral("*.xml")}, QDir::Files);
  while (it.hasNext()) ids << trailingId.match(it.next()).captured(1);
  ids.sort();
  return ids;
}

QString goldenFile(const QString& caseName, const QString& prefix, const QString& id) {
  QDirIterator it(kGoldenDir + QLatin1Char('/') + caseName, {prefix + QStringLiteral("*") + id + QStringLiteral(".xml")},
                  QDir::Files);
  return it.hasNext() ? it.next() : QString();
}

// The `occurrence`-th element with this start tag in a golden file, as one line without the
// indentation and line ends the formatted output adds.
QString goldenElement(const QString& path, const QString& startTag, int occurrence = 1) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
  QString element;
  QString endLine;
  for (const QString& line : lines) {
    if (endLine.isEmpty()) {
      if (line.trimmed().startsWith(startTag) && --occurrence == 0) {
        const qsizetype indent = line.size() - line.trimmed().size();
        endLine = line.left(indent) + QStringLiteral("</") + startTag.mid(1, startTag.indexOf(QLatin1Char(' ')) - 1) +
                  QLatin1Char('>');
        element = line.trimmed();
      }
      continue;
    }
    element += line.trimmed();
    if (line == endLine) return element;
  }
  return QString();
}

QString readCp1250(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? text::fromCp1250(file.readAll()) : QStringLiteral("<unreadable %1>").arg(path);
}

// The demo installation of the golden export, an installation without its database, and the
// identifiers of the reports the host asks for.
class HostProgram : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    demo_ = new demo::DemoInstallation(demo::createDemoInstallation({dir_->filePath(QStringLiteral("demo")), 6}));
    QDir(dir_->path()).mkpath(QStringLiteral("Puste"));
    QFile config(dir_->filePath(QStringLiteral("empty.ini")));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("[configTervik]\nPathData=%1\n").arg(dir_->filePath(QStringLiteral("Puste"))).toUtf8());
    config.close();
    QFile winIni(badWinIni());
    ASSERT_TRUE(winIni.open(QIODevice::WriteOnly));
    winIni.write(QStringLiteral("[KALMETO]\nTERVIK=%1\n").arg(config.fileName()).toUtf8());
  }
  static void TearDownTestSuite() {
    delete demo_;
    delete dir_;
  }

  static QString badWinIni() { return dir_->filePath(QStringLiteral("empty-win.ini")); }
  static const QString& winIni() { return demo_->winIni; }

  // The first budget-unit balance sheet of the golden export with this TYPSPR.
  static QString balanceSheet(const QString& typspr) {
    db::Connection connection;
    db::ConnectionSettings settings;
    settings.sqliteFile = demo_->database;
    connection.open(settings);
    for (const QString& id : goldenIds(QStringLiteral("units-balances"), QStringLiteral("B-Jed"))) {
      const db::DataSet row = db::openSql(connection, QStringLiteral("select TYPSPR from JBSPRAWAKT where IDSPRAW=") + id);
      if (!row.isEmpty() && row.text(u"TYPSPR") == typspr) return id;
    }
    return QString();
  }

  // The identifiers of every kind of report, as host_check takes them.
  static QStringList reportArgs() {
    const QString d = goldenIds(QStringLiteral("city-reports"), QStringLiteral("Rb-27s_")).value(0);
    const QString rb50 = goldenIds(QStringLiteral("city-reports"), QStringLiteral("Rb-50_")).value(0);
    return {QStringLiteral("d=") + d, QStringLiteral("rb50=") + rb50, QStringLiteral("bilj=") + balanceSheet(QStringLiteral("BILJ")),
            QStringLiteral("bill=") + balanceSheet(QStringLiteral("BILL")), QStringLiteral("unknown=999999")};
  }

  static QString arg(const QStringList& args, const QString& key) {
    for (const QString& a : args)
      if (a.startsWith(key + QLatin1Char('='))) return a.mid(key.size() + 1);
    return QString();
  }

  static inline QTemporaryDir* dir_ = nullptr;
  static inline demo::DemoInstallation* demo_ = nullptr;
};

TEST_F(HostProgram, EveryCaseThroughDlopen) {
  const QStringList ids = reportArgs();
  for (const QString& a : ids) ASSERT_FALSE(a.endsWith(QLatin1Char('='))) << "no report for " << a.toStdString();
  QTemporaryDir out;
  const QString fifo = out.filePath(QStringLiteral("win.ini.fifo"));
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const Run result = run(QStringLiteral(WERTALO_HOST_CHECK),
                         QStringList{QStringLiteral(WERTALO_LIBRARY), QStringLiteral("check"), out.path()} + ids +
                             QStringList{QStringLiteral("bad=") + badWinIni(), QStringLiteral("fifo=") + fifo},
                         winIni());
  EXPECT_EQ(result.exitCode, 0) << result.out.toStdString() << result.err.toStdString();
  EXPECT_FALSE(result.out.contains(QStringLiteral("FAIL"))) << result.out.toStdString();
  EXPECT_TRUE(result.out.contains(QRegularExpression(QStringLiteral("^[1-9][0-9]* passed, 0 failed$"), QRegularExpression::MultilineOption)))
      << result.out.toStdString();

  // The texts are the elements of the wizard's export, in Windows-1250 and without the layout.
  const QString d = arg(ids, QStringLiteral("d")), rb50 = arg(ids, QStringLiteral("rb50")), bilj = arg(ids, QStringLiteral("bilj"));
  struct Expected {
    const char* file;
    QString golden;
  };
  const QString rb50File = goldenFile(QStringLiteral("city-reports"), QStringLiteral("Rb-50_"), rb50);
  // The city has county rights: its second element of each part is the one of the county tasks.
  const Expected expected[] = {
      {"d.xml", goldenElement(goldenFile(QStringLiteral("city-reports"), QStringLiteral("Rb-27s_"), d),
                              QStringLiteral("<Rb-27s Id=\"Rb-27s%1\">").arg(d))},
      {"rb50d.xml", goldenElement(rb50File, QStringLiteral("<Rb-50D Id=\"Rb-50D%1\">").arg(rb50), 2)},
      {"rb50w.xml", goldenElement(rb50File, QStringLiteral("<Rb-50W Id=\"Rb-50W%1\">").arg(rb50), 2)},
      {"bilj.xml", goldenElement(goldenFile(QStringLiteral("units-balances"), QStringLiteral("B-Jed_"), bilj),
                                 QStringLiteral("<B-Jed Id=\"B-Jed%1\">").arg(bilj))},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.file);
    ASSERT_FALSE(e.golden.isEmpty());
    const QString text = readCp1250(out.filePath(QString::fromLatin1(e.file)));
    EXPECT_EQ(text.toStdString(), e.golden.toStdString());
    EXPECT_TRUE(test::isWellFormedXml(text.toUtf8()));
  }
  const QString bill = readCp1250(out.filePath(QStringLiteral("bill.xml")));
  EXPECT_TRUE(bill.startsWith(QStringLiteral("<B-Jed Id=\"B-Jed%1\">").arg(arg(ids, QStringLiteral("bill"))))) << bill.toStdString();
  EXPECT_TRUE(test::isWellFormedXml(bill.toUtf8()));

  const QString error = readCp1250(out.filePath(QStringLiteral("error.txt")));
  EXPECT_TRUE(error.startsWith(QStringLiteral("Błąd bazy danych: "))) << error.toStdString();
  EXPECT_TRUE(error.contains(QStringLiteral("dane.sqlite"))) << error.toStdString();
}

// Reads a number after `label` in valgrind's summary ("in use at exit: 1,234 bytes").
qint64 valgrindBytes(const QString& log, const QString& label) {
  const QRegularExpression re(QRegularExpression::escape(label) + QStringLiteral(":\\s*([0-9,]+) bytes"));
  const QRegularExpressionMatch m = re.match(log);
  return m.hasMatch() ? m.captured(1).remove(QLatin1Char(',')).toLongLong() : -1;
}

// valgrind's memcheck: any invalid access, and any block definitely or indirectly lost, is an
// error (exit code 99). Qt keeps one-time allocations reachable or possibly lost (its plugin
// and thread data); they are not counted as leaks. That memory in use at the end does not grow
// with the number of calls is checked apart: 1,000 calls may end with no more than 10 calls do,
// give or take a few kilobytes.
Run underValgrind(const QStringList& args, const QString& winIni) {
  const QStringList valgrind{QStringLiteral("--error-exitcode=99"), QStringLiteral("--leak-check=full"),
                             QStringLiteral("--show-leak-kinds=definite,indirect"),
                             QStringLiteral("--errors-for-leak-kinds=definite,indirect"), QStringLiteral("--num-callers=30")};
  return run(QStringLiteral(WERTALO_VALGRIND), valgrind + QStringList{QStringLiteral(WERTALO_HOST_CHECK)} + args, winIni, 1500);
}

TEST_F(HostProgram, ThousandCallsUnderValgrind) {
  const QStringList loop{QStringLiteral(WERTALO_LIBRARY), QStringLiteral("loop")};
  const Run few = underValgrind(loop + QStringList{QStringLiteral("10")} + reportArgs(), winIni());
  ASSERT_EQ(few.exitCode, 0) << few.out.toStdString() << few.err.toStdString();
  const Run many = underValgrind(loop + QStringList{QStringLiteral("1000")} + reportArgs(), winIni());
  EXPECT_EQ(many.exitCode, 0) << many.out.toStdString() << many.err.toStdString();
  EXPECT_TRUE(many.out.contains(QStringLiteral("1000 calls, 0 failed"))) << many.out.toStdString();
  EXPECT_TRUE(many.err.contains(QStringLiteral("ERROR SUMMARY: 0 errors"))) << many.err.toStdString();
  const qint64 fewInUse = valgrindBytes(few.err, QStringLiteral("in use at exit"));
  const qint64 manyInUse = valgrindBytes(many.err, QStringLiteral("in use at exit"));
  ASSERT_GE(fewInUse, 0) << few.err.toStdString();
  EXPECT_LE(manyInUse, fewInUse + 8 * 1024) << "10 calls: " << fewInUse << " bytes, 1000 calls: " << manyInUse;
}

TEST_F(HostProgram, ExportsOnlyTheHostFunctions) {
  const Run nm = run(QStringLiteral("nm"), {QStringLiteral("-D"), QStringLiteral("--defined-only"), QStringLiteral(WERTALO_LIBRARY)}, QString());
  ASSERT_EQ(nm.exitCode, 0) << nm.err.toStdString();
  QStringList names;
  for (const QString& line : nm.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) names << line.section(QLatin1Char(' '), -1);
  names.sort();
  EXPECT_EQ(names.join(QLatin1Char(' ')).toStdString(), "EkportujRB50XML EkportujXML OstatniBlad ZwolnijPCHAR");
}

TEST_F(HostProgram, InstalledLibraryLoadsFromItsFolder) {
  QTemporaryDir prefix;
  const Run install = run(QStringLiteral(WERTALO_CMAKE),
                          {QStringLiteral("--install"), QStringLiteral(WERTALO_BUILD_DIR), QStringLiteral("--prefix"), prefix.path()},
                          QString());
  ASSERT_EQ(install.exitCode, 0) << install.out.toStdString() << install.err.toStdString();
  EXPECT_TRUE(QFile::exists(prefix.filePath(QStringLiteral("include/wertalo/wertalo.h"))));
  const QString library = prefix.filePath(QStringLiteral(WERTALO_INSTALL_LIBDIR "/libwertalo.so"));
  const QStringList ids = reportArgs();
  const Run result = run(QStringLiteral(WERTALO_HOST_CHECK), {library, QStringLiteral("maps"), ids.first()}, winIni());
  ASSERT_EQ(result.exitCode, 0) << result.out.toStdString() << result.err.toStdString();
  // Every layer of the core comes from the installed folder, none from the build.
  const QStringList loaded = result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  EXPECT_GE(loaded.size(), 10) << result.out.toStdString();
  for (const QString& path : loaded) EXPECT_TRUE(path.startsWith(prefix.path())) << path.toStdString();
}

}  // namespace
}  // namespace wertalo
