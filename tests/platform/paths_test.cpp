#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/platform/paths.h"
#include "temp_files.h"

namespace wertalo::platform {
namespace {

struct PathCase {
  const char* input;
  const char* expected;
};

class NativePathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(NativePathTest, BackslashIsAFolderSeparator) {
  EXPECT_EQ(nativePath(QString::fromUtf8(GetParam().input)), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, NativePathTest,
                         ::testing::Values(PathCase{"/srv/tervik/dane", "/srv/tervik/dane"},
                                           PathCase{"\\srv\\tervik\\Bufor\\", "/srv/tervik/Bufor/"},
                                           PathCase{"/srv/tervik\\Bestia", "/srv/tervik/Bestia"},
                                           PathCase{"C:\\Tervik\\Dane", "C:/Tervik/Dane"},
                                           PathCase{"Łódź\\dane", "Łódź/dane"}, PathCase{"", ""}));

struct JoinCase {
  const char* folder;
  const char* name;
  const char* expected;
};

class JoinPathTest : public ::testing::TestWithParam<JoinCase> {};

TEST_P(JoinPathTest, OneSeparator) {
  EXPECT_EQ(joinPath(GetParam().folder, GetParam().name), QString(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, JoinPathTest,
                         ::testing::Values(JoinCase{"/a", "b", "/a/b"}, JoinCase{"/a/", "b", "/a/b"},
                                           JoinCase{"/a//", "/b", "/a/b"}, JoinCase{"/", "b", "/b"},
                                           JoinCase{"", "b", "b"}, JoinCase{"/a", "", "/a"},
                                           JoinCase{"a", "b/c.xml", "a/b/c.xml"}));

// Sets environment variables for one test and puts the old values back afterwards.
class EnvironmentTest : public ::testing::Test {
 protected:
  void set(const char* name, const QString& value) {
    remember(name);
    qputenv(name, value.toUtf8());
  }
  void unset(const char* name) {
    remember(name);
    qunsetenv(name);
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value.isNull()) {
        qunsetenv(name.constData());
      } else {
        qputenv(name.constData(), value);
      }
    }
  }

 private:
  void remember(const char* name) {
    for (const auto& entry : saved_) {
      if (entry.first == name) return;
    }
    saved_.emplace_back(name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray());
  }
  std::vector<std::pair<QByteArray, QByteArray>> saved_;
};

TEST_F(EnvironmentTest, WinIniFromItsOwnVariable) {
  set("WERTALO_WIN_INI", "/etc/gmina/win.ini");
  set("XDG_CONFIG_HOME", "/xdg");
  EXPECT_EQ(winIniPath(), QString("/etc/gmina/win.ini"));
}

TEST_F(EnvironmentTest, WinIniUnderXdgConfigHome) {
  unset("WERTALO_WIN_INI");
  set("XDG_CONFIG_HOME", "/xdg/");
  EXPECT_EQ(winIniPath(), QString("/xdg/wertalo/win.ini"));
}

TEST_F(EnvironmentTest, WinIniUnderHomeByDefault) {
  unset("WERTALO_WIN_INI");
  unset("XDG_CONFIG_HOME");
  EXPECT_EQ(winIniPath(), QDir::homePath() + "/.config/wertalo/win.ini");
}

TEST_F(EnvironmentTest, RelativeXdgConfigHomeIsIgnored) {
  unset("WERTALO_CONFIG_DIR");
  set("XDG_CONFIG_HOME", "relative");
  EXPECT_EQ(configDir(), QDir::homePath() + "/.config/wertalo");
}

TEST_F(EnvironmentTest, ConfigDirFromItsOwnVariable) {
  set("WERTALO_CONFIG_DIR", "/srv/wertalo/");
  set("XDG_CONFIG_HOME", "/xdg");
  EXPECT_EQ(configDir(), QString("/srv/wertalo"));
}

TEST_F(EnvironmentTest, ConfigDirUnderXdgConfigHome) {
  unset("WERTALO_CONFIG_DIR");
  set("XDG_CONFIG_HOME", "/xdg");
  EXPECT_EQ(configDir(), QString("/xdg/wertalo"));
}

TEST(EnsureFolder, CreatesAllMissingParents) {
  QTemporaryDir dir;
  const QString folder = dir.filePath("Tervik/Bestia/2013");
  QString error;
  EXPECT_TRUE(ensureFolder(folder, &error));
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_EQ(error, QString());
  EXPECT_TRUE(ensureFolder(folder + "/", &error));
}

TEST(EnsureFolder, FileInTheWayGivesTheSystemText) {
  QTemporaryDir dir;
  test::putFile(dir.filePath("plain"), "x");
  QString error;
  EXPECT_FALSE(ensureFolder(dir.filePath("plain/Bestia"), &error));
  EXPECT_EQ(error, QString("Not a directory"));
  EXPECT_FALSE(ensureFolder(dir.filePath("plain"), &error));
  EXPECT_EQ(error, QString("File exists"));
}

}  // namespace
}  // namespace wertalo::platform
