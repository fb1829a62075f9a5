// The host program in C (host_check.c) under valgrind's memcheck: 1,000 calls over every kind
// of report with no block lost and no invalid access, and memory in use at the end that does
// not grow with the number of calls. The installation is the smallest demo with every kind
// (three budget units give a combined balance sheet), its database holding only the tables the
// calls read, so that the run stays short.
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/db/connection.h"
#include "core/db/query.h"
#include "core/demo/demo_installation.h"

namespace wertalo {
namespace {

using namespace Qt::StringLiterals;

// The tables the calls of the loop read; the others are dropped. A table missing here makes
// the calls fail, which the test reports.
const QStringList kTablesRead = {
    u"SPRAWAKT"_s, u"SPRAWOZD"_s,    u"SPRAWPLAN"_s, u"JBSPRAWAKT"_s,  u"JBSPRAWOZD"_s,  u"JBSprawPlan"_s,
    u"JBUWAGI"_s,  u"PARAMS"_s,      u"S_JstWyk"_s,  u"JSTDOP"_s,      u"okresD"_s,      u"D2"_s,
    u"RB50"_s,     u"JBBILJ"_s,      u"JBBILPOZ"_s,  u"S_BILANSPOZ"_s, u"S_BILBESTIA"_s,
};

class HostMemory : public ::testing::Test {
 protected:
  // What one run of valgrind left.
  struct Run {
    int exitCode = -1;
    QString out;
    QString err;
  };

  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    demo::DemoOptions options;
    options.folder = dir_->filePath(u"demo"_s);
    options.units = 3;
    const demo::DemoInstallation demo = demo::createDemoInstallation(options);
    winIni_ = new QString(demo.winIni);

    db::Connection connection;
    db::ConnectionSettings settings;
    settings.sqliteFile = demo.database;
    connection.open(settings);
    const auto latest = [&](const QString& table, const QString& typspr) {
      const db::DataSet row = db::openSql(
          connection, u"select max(IDSPRAW) as ID from %1 where TYPSPR='%2'"_s.arg(table, typspr));
      return u"%1"_s.arg(row.isNull(u"ID") ? 0 : row.integer(u"ID"));
    };
    reports_ = new QStringList{u"d="_s + latest(u"SPRAWAKT"_s, u"D"_s), u"rb50="_s + latest(u"SPRAWAKT"_s, u"RB50"_s),
                               u"bilj="_s + latest(u"JBSPRAWAKT"_s, u"BILJ"_s),
                               u"bill="_s + latest(u"JBSPRAWAKT"_s, u"BILL"_s), u"unknown=999999"_s};
    QStringList drops;
    for (db::DataSet t = db::openSql(connection, u"select name from sqlite_master where type='table'"_s); !t.eof(); t.next()) {
      const QString name = t.text(u"name");
      if (!kTablesRead.contains(name)) drops << u"DROP TABLE \"%1\";"_s.arg(name);
    }
    connection.executeScript(drops.join(u'\n'));
    connection.executeScript(u"VACUUM;"_s);
    connection.close();
  }
  static void TearDownTestSuite() {
    delete reports_;
    delete winIni_;
    delete dir_;
  }

  // host_check's loop of `calls` calls under memcheck. Any invalid access, and any block
  // definitely or indirectly lost, is an error (exit code 99); Qt's one-time allocations stay
  // reachable and are not leaks. `undefinedValues` false leaves out the tracking of
  // uninitialised values, which shortens the run by a third.
  static Run underValgrind(int calls, bool undefinedValues) {
    const QStringList args = {u"--error-exitcode=99"_s,
                              u"--leak-check=full"_s,
                              u"--show-leak-kinds=definite,indirect"_s,
                              u"--errors-for-leak-kinds=definite,indirect"_s,
                              u"--undef-value-errors="_s + (undefinedValues ? u"yes"_s : u"no"_s),
                              u"--num-callers=20"_s,
                              QStringLiteral(WERTALO_HOST_CHECK),
                              QStringLiteral(WERTALO_LIBRARY),
                              u"loop"_s,
                              QString::number(calls)};
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"WERTALO_WIN_INI"_s, *winIni_);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(WERTALO_VALGRIND), args + *reports_);
    Run run;
    // About 45 s of processor time for 1,000 calls; a machine shared with other work takes longer.
    if (process.waitForFinished(600'000) && process.exitStatus() == QProcess::NormalExit) {
      run.exitCode = process.exitCode();
    } else {
      run.err = u"valgrind did not end: "_s + process.errorString() + u'\n';
      process.kill();
      process.waitForFinished();
    }
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err += QString::fromLocal8Bit(process.readAllStandardError());
    return run;
  }

  static inline QTemporaryDir* dir_ = nullptr;
  static inline QString* winIni_ = nullptr;
  static inline QStringList* reports_ = nullptr;
};

// A number of bytes after `label` in valgrind's summary ("in use at exit: 1,234 bytes").
qint64 valgrindBytes(const QString& log, const QString& label) {
  const QRegularExpression re(QRegularExpression::escape(label) + u":\\s*([0-9,]+) bytes"_s);
  const QRegularExpressionMatch m = re.match(log);
  return m.hasMatch() ? m.captured(1).remove(u',').toLongLong() : -1;
}

TEST_F(HostMemory, ThousandCallsLoseNothingAndTouchNothingOutsideTheirMemory) {
  for (const QString& report : *reports_) ASSERT_FALSE(report.endsWith(u"=0"_s)) << "no report for " << report.toStdString();
  // A few calls with every check of memcheck, uninitialised values included.
  const Run few = underValgrind(12, true);
  ASSERT_EQ(few.exitCode, 0) << few.out.toStdString() << few.err.toStdString();
  EXPECT_TRUE(few.out.contains(u"12 calls, 0 failed"_s)) << few.out.toStdString();

  const Run many = underValgrind(1000, false);
  EXPECT_EQ(many.exitCode, 0) << many.out.toStdString() << many.err.toStdString();
  EXPECT_TRUE(many.out.contains(u"1000 calls, 0 failed"_s)) << many.out.toStdString();
  EXPECT_TRUE(many.err.contains(u"ERROR SUMMARY: 0 errors"_s)) << many.err.toStdString();
  EXPECT_EQ(valgrindBytes(many.err, u"definitely lost"_s), 0) << many.err.toStdString();

  // Memory in use at the end does not grow with the calls: 1,000 end with what 12 end with,
  // give or take a few kilobytes.
  const qint64 fewInUse = valgrindBytes(few.err, u"in use at exit"_s);
  const qint64 manyInUse = valgrindBytes(many.err, u"in use at exit"_s);
  ASSERT_GE(fewInUse, 0) << few.err.toStdString();
  EXPECT_LE(manyInUse, fewInUse + 8 * 1024) << "12 calls: " << fewInUse << " bytes, 1000 calls: " << manyInUse;
}

}  // namespace
}  // namespace wertalo
