// An export run as the wizard makes it: one file per sheet, or the whole package in one file.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "bilanse_data.h"
#include "core/db/query.h"
#include "core/package/export_run.h"
#include "core/package/package_error.h"
#include "fixture.h"
#include "support/xml_check.h"

namespace wertalo::package {
namespace {

using test::sheet;

// Two budget units whose sheets come interleaved, as the selection lists them (by type):
// BILJ of 7, BILJ of 9, BILL of 7, BILL of 9.
class InterleavedUnits : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    m.dtm.setRodzajEksportu(catalogue::rJB);
    m.dtm.UstawTypEksporu(catalogue::teBilanse);
    m.addBudgetUnit(7, QStringLiteral("Szkoła nr 1"), QStringLiteral("J"), QStringLiteral("123456785"), QString());
    m.addBudgetUnit(9, QStringLiteral("Przedszkole nr 2"), QStringLiteral("J"), QStringLiteral("123456789"), QString());
    m.exec(QStringLiteral("UPDATE JBOBS SET OKRES='4';\n"));
    m.unit([&](catalogue::MemMain& u) { u.OKRES = QStringLiteral("4"); });
    m.options([&](catalogue::RunOptions& o) { o.dirKatalog = dir.path(); });
    m.select({sheet(90, "B-Jed", "BILJ", 7), sheet(91, "B-Jed", "BILJ", 9), sheet(92, "B-Jed", "BILL", 7),
              sheet(93, "B-Jed", "BILL", 9)});
  }

  QTemporaryDir dir;
  test::PackageModule m;
};

TEST_F(InterleavedUnits, EachUnitIsOneJednostkaOfTheOneFilePackage) {
  const QString target = dir.filePath(QStringLiteral("Bilanse.xml"));
  m.ui.queueSaveAnswer(target);
  const catalogue::ExportResult result = WykonajEksport(m.dtm, m.paczka, QStringLiteral("7,9,"));
  ASSERT_FALSE(result.cancelled);
  QFile f(target);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  EXPECT_EQ(bytes.count("<Jednostka>"), 2);
  EXPECT_EQ(bytes.count("<B-Jed "), 4);
  // Unit 7's two sheets stand together, before unit 9's.
  EXPECT_LT(bytes.indexOf("Id=\"B-Jed90\""), bytes.indexOf("Id=\"B-Jed92\""));
  EXPECT_LT(bytes.indexOf("Id=\"B-Jed92\""), bytes.indexOf("Przedszkole nr 2"));
  EXPECT_LT(bytes.indexOf("Przedszkole nr 2"), bytes.indexOf("Id=\"B-Jed91\""));
  EXPECT_LT(bytes.indexOf("Id=\"B-Jed91\""), bytes.indexOf("Id=\"B-Jed93\""));
  ASSERT_EQ(result.files.size(), 1u);
  EXPECT_EQ(result.files[0].path, target);
  EXPECT_EQ(result.files[0].reports.size(), 4u);
}

TEST_F(InterleavedUnits, CancelledSaveWritesNothing) {
  m.ui.queueSaveAnswer(std::nullopt);
  EXPECT_TRUE(WykonajEksport(m.dtm, m.paczka, QStringLiteral("7,9,")).cancelled);
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(InterleavedUnits, OneFilePerSheet) {
  m.options([&](catalogue::RunOptions& o) { o.chkZapiszPojedynczo = true; });
  const catalogue::ExportResult result = WykonajEksport(m.dtm, m.paczka, QStringLiteral("7,9,"));
  EXPECT_EQ(result.files.size(), 4u);
  EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.xml")}, QDir::Files).size(), 4);
}


// A run that stops on an error keeps the files written before it, dates them, and names them.
TEST_F(InterleavedUnits, AnErrorKeepsAndDatesTheFilesWrittenBeforeIt) {
  m.options([&](catalogue::RunOptions& o) { o.chkZapiszPojedynczo = true; });
  for (const int id : {90, 91}) {
    db::Query insert(m.dtm.DB());
    insert.setSql(QStringLiteral("INSERT INTO JBSPRAWOZD (IDSPRAW, ID_JB, DATAZAK) VALUES (:ID, :JB, :DATAZAK)"));
    insert.bindInt(QStringLiteral("ID"), id);
    insert.bindInt(QStringLiteral("JB"), id == 90 ? 7 : 9);
    insert.bindDate(QStringLiteral("DATAZAK"), QDate(2013, 12, 20));
    insert.execSql();
  }
  RunControl control;
  // The second sheet fails while its file is being built.
  control.progress = [](int done, int, const catalogue::SelectRow&) {
    if (done == 2) throw PackageError(QStringLiteral("Błąd próbny"));
  };
  try {
    WykonajEksport(m.dtm, m.paczka, QStringLiteral("7,9,"), control);
    FAIL() << "the run did not stop";
  } catch (const catalogue::ExportStopped& failed) {
    EXPECT_EQ(failed.message(), QStringLiteral("Błąd próbny"));
    ASSERT_EQ(failed.written().files.size(), 1u);
    const catalogue::WrittenFile& file = failed.written().files[0];
    EXPECT_TRUE(QFile::exists(file.path));
    EXPECT_EQ(failed.withWrittenFiles(), QStringLiteral("Błąd próbny\nPrzed błędem zapisano pliki:\n  ") + file.path);
    ASSERT_EQ(file.reports.size(), 1u);
    EXPECT_EQ(file.reports[0].report.idspraw, 90);
    EXPECT_TRUE(file.reports[0].dated);
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
  const db::DataSet dates = db::openSql(m.dtm.DB(), QStringLiteral("SELECT IDSPRAW FROM JBSPRAWOZD WHERE DATAWYSLANIA IS NOT NULL"));
  ASSERT_EQ(dates.recordCount(), 1);
  EXPECT_EQ(dates.integer(u"IDSPRAW"), 90);
}

}  // namespace
}  // namespace wertalo::package
