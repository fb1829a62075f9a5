// The Debian package as `make deb` builds it: what it holds, what it depends on, and that its
// programs run from the unpacked tree with the libraries it brings (no build folder needed).
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/cli_run.h"
#include "support/xml_check.h"

namespace wertalo {
namespace {

using namespace Qt::StringLiterals;

test::ProgramRun run(const QString& program, const QStringList& args) {
  return test::runProgram(program, args, QString());
}

QString text(const QByteArray& bytes) { return QString::fromUtf8(bytes); }

class DebianPackage : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    const test::ProgramRun made = run(QStringLiteral(WERTALO_CPACK),
                                      {u"-G"_s, u"DEB"_s, u"--config"_s, QStringLiteral(WERTALO_BUILD_DIR "/CPackConfig.cmake"),
                                       u"-B"_s, dir_->path()});
    made_ = new QString(text(made.out) + text(made.err) + made.failure);
    const QStringList debs = QDir(dir_->path()).entryList({u"wertalo_*.deb"_s}, QDir::Files);
    if (made.exitCode == 0 && debs.size() == 1) {
      deb_ = new QString(dir_->filePath(debs.front()));
      run(u"dpkg-deb"_s, {u"-x"_s, *deb_, dir_->filePath(u"root"_s)});
    }
  }
  static void TearDownTestSuite() {
    delete deb_;
    delete made_;
    delete dir_;
    deb_ = nullptr;
  }
  void SetUp() override { ASSERT_NE(deb_, nullptr) << "cpack: " << made_->toStdString(); }

  static QString root(const QString& path) { return dir_->filePath(u"root/"_s + path); }

  static inline QTemporaryDir* dir_ = nullptr;
  static inline QString* deb_ = nullptr;
  static inline QString* made_ = nullptr;
};

TEST_F(DebianPackage, HoldsTheProgramsLibrariesDesktopEntryIconAndManualPage) {
  const QString name = QFileInfo(*deb_).fileName();
  EXPECT_TRUE(name.startsWith(u"wertalo_" WERTALO_VERSION "_"_s) && name.endsWith(u".deb"_s)) << name.toStdString();
  const test::ProgramRun contents = run(u"dpkg-deb"_s, {u"--contents"_s, *deb_});
  ASSERT_EQ(contents.exitCode, 0) << contents.err.toStdString();
  const QString listing = text(contents.out);
  QStringList expected = {
      u"./usr/bin/wertalo-cli"_s,
      u"./usr/lib/wertalo/libwertalo_operations.so."_s,
      u"./usr/lib/wertalo/libwertalo_mapping.so."_s,
      u"./usr/lib/wertalo/libwertalo_db.so."_s,
      u"./usr/lib/wertalo/libwertalo_base.so."_s,
      u"./usr/lib/wertalo/libwertalo_demo.so."_s,
      u"./usr/share/applications/wertalo.desktop"_s,
      u"./usr/share/icons/hicolor/scalable/apps/wertalo.svg"_s,
      u"./usr/share/man/man1/wertalo-cli.1.gz"_s,
  };
#ifdef WERTALO_WIZARD_BUILT
  expected << u"./usr/bin/wertalo\n"_s;
#endif
  for (const QString& path : expected) EXPECT_TRUE(listing.contains(path)) << path.toStdString() << "\n" << listing.toStdString();
  // Nothing of the build: no headers, no static libraries, no tests.
  for (const QString& stray : {u".h\n"_s, u".a\n"_s, u"test_"_s, u"wertalo_gui_forms"_s})
    EXPECT_FALSE(listing.contains(stray)) << stray.toStdString();
}

TEST_F(DebianPackage, DependsOnTheQtLibrariesAndItsDatabaseDrivers) {
  const test::ProgramRun fields = run(u"dpkg-deb"_s, {u"--field"_s, *deb_, u"Package"_s, u"Depends"_s});
  ASSERT_EQ(fields.exitCode, 0) << fields.err.toStdString();
  const QString control = text(fields.out);
  EXPECT_TRUE(control.contains(u"Package: wertalo\n"_s)) << control.toStdString();
  for (const QString& dependency : {u"libqt6core6"_s, u"libqt6sql6 "_s, u"libqt6sql6-sqlite"_s, u"libqt6sql6-ibase"_s,
                                    u"libzip4"_s, u"libcurl4"_s, u"libc6"_s})
    EXPECT_TRUE(control.contains(dependency)) << dependency.toStdString() << "\n" << control.toStdString();
}

TEST_F(DebianPackage, TheUnpackedCommandRunsWithTheLibrariesItBrings) {
  const QString cli = root(u"usr/bin/wertalo-cli"_s);
  const test::ProgramRun help = run(u"env"_s, {u"-u"_s, u"LD_LIBRARY_PATH"_s, cli, u"--help"_s});
  EXPECT_EQ(help.exitCode, 0) << help.err.toStdString() << help.failure.toStdString();
  EXPECT_TRUE(text(help.out).startsWith(u"Użycie: wertalo-cli POLECENIE"_s)) << help.out.toStdString();

  // Every library of the core resolves inside the unpacked tree, none in the build folder.
  const test::ProgramRun libraries = run(u"ldd"_s, {cli});
  ASSERT_EQ(libraries.exitCode, 0) << libraries.err.toStdString();
  const QStringList lines = text(libraries.out).split(u'\n', Qt::SkipEmptyParts);
  int core = 0;
  for (const QString& line : lines) {
    if (!line.trimmed().startsWith(u"libwertalo_"_s)) continue;
    ++core;
    EXPECT_TRUE(line.contains(root(u"usr/bin/../lib/wertalo/"_s)) || line.contains(root(u"usr/lib/wertalo/"_s)))
        << line.toStdString();
  }
  EXPECT_GE(core, 5) << libraries.out.toStdString();
  EXPECT_FALSE(text(libraries.out).contains(u"not found"_s)) << libraries.out.toStdString();
}

TEST_F(DebianPackage, TheManualPageDesktopEntryAndIconAreWellFormed) {
  const test::ProgramRun page = run(u"sh"_s, {u"-c"_s, u"zcat \"$1\" | groff -k -man -Tutf8 -ww > /dev/null"_s, u"sh"_s,
                                              root(u"usr/share/man/man1/wertalo-cli.1.gz"_s)});
  EXPECT_EQ(page.exitCode, 0) << page.err.toStdString();
  EXPECT_TRUE(page.err.isEmpty()) << page.err.toStdString();
  const test::ProgramRun entry = run(u"desktop-file-validate"_s, {root(u"usr/share/applications/wertalo.desktop"_s)});
  EXPECT_EQ(entry.exitCode, 0) << entry.out.toStdString() << entry.err.toStdString() << entry.failure.toStdString();
  QFile icon(root(u"usr/share/icons/hicolor/scalable/apps/wertalo.svg"_s));
  ASSERT_TRUE(icon.open(QIODevice::ReadOnly));
  EXPECT_TRUE(test::isWellFormedXml(icon.readAll()));
}

}  // namespace
}  // namespace wertalo
