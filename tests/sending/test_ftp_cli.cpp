// `wertalo-cli ftp` run as a nightly script runs it, against a real FTP server on loopback.
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ftp_test_server.h"
#include "temp_files.h"

namespace wertalo {
namespace {

using test::fileBytes;
using test::putFile;

struct CliRun {
  int exitCode = -1;
  QString out;
  QString err;
};

class FtpCommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    WERTALO_REQUIRE_FTP_SERVER(server_);
    ASSERT_TRUE(dir_.isValid());
    putFile(dir_.filePath("haslo"), "sekret\n");
  }

  QString serverName() const { return "127.0.0.1:" + QString::number(server_.port()); }

  // Runs `wertalo-cli ftp` with the configuration folder of the test (stderr is no terminal).
  CliRun run(const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("WERTALO_CONFIG_DIR", dir_.filePath("config"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(dir_.path());
    process.start(WERTALO_CLI_PATH, QStringList{"ftp"} + args);
    EXPECT_TRUE(process.waitForFinished(120000)) << "wertalo-cli ftp did not end";
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
  }

  // The options that name the test server.
  QStringList serverOptions() const {
    return {"--server", serverName(), "--user", "tester", "--password-file", dir_.filePath("haslo")};
  }

  test::FtpTestServer server_;
  QTemporaryDir dir_;
};

TEST_F(FtpCommandLine, HelpAndWrongUsage) {
  const CliRun help = run({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.startsWith("Użycie: wertalo-cli ftp [OPCJE] POLECENIE")) << help.out.toStdString();

  const struct {
    QStringList args;
    const char* message;
  } wrong[] = {
      {{}, "Nie podano polecenia (put, get, ls, mkdir, rmdir, rm)."},
      {{"frob"}, "Nieznane polecenie FTP: frob"},
      {{"put"}, "Polecenie put wymaga jednej nazwy."},
      {{"ls", "x"}, "Polecenie ls nie przyjmuje argumentów."},
      {{"--bogus", "ls"}, "Nieznana opcja: --bogus"},
      {{"ls", "--server"}, "Brak wartości opcji --server."},
      {{"--timeout", "0", "ls"}, "--timeout: oczekiwano liczby sekund od 1 do 3600, podano \"0\""},
      {{"put", "x", "--out", "y"}, "Opcja --out dotyczy tylko polecenia get."},
      {{"get", ".."}, "get: \"..\" nie jest nazwą pliku."},
      {{"--server", "ftp://x", "ls"}, "Niepoprawna nazwa serwera FTP: \"ftp://x\" (oczekiwano HOST albo HOST:PORT)"},
  };
  for (const auto& c : wrong) {
    const CliRun r = run(c.args);
    EXPECT_EQ(r.exitCode, 2) << c.args.join(' ').toStdString();
    EXPECT_TRUE(r.err.startsWith(QString::fromUtf8(c.message) + "\n")) << r.err.toStdString();
  }
  const CliRun noServer = run({"ls"});
  EXPECT_EQ(noServer.exitCode, 2);
  EXPECT_TRUE(noServer.err.startsWith("Nie podano serwera FTP (--server), a plik " + dir_.filePath("config/FtpHost.ini") +
                                      " go nie zawiera."))
      << noServer.err.toStdString();
}

TEST_F(FtpCommandLine, PutListGetAndDirectories) {
  const QByteArray bytes = QByteArray("PK\x03\x04 archiwum ").repeated(5000);
  putFile(dir_.filePath("jb__C_13_1_{X}.zip"), bytes);

  const CliRun mkdir = run(serverOptions() << "mkdir" << "przyjete");
  EXPECT_EQ(mkdir.exitCode, 0) << mkdir.err.toStdString();
  EXPECT_TRUE(QFileInfo(server_.homeFile("przyjete")).isDir());

  const CliRun put = run(serverOptions() << "--dir" << "przyjete" << "put" << dir_.filePath("jb__C_13_1_{X}.zip"));
  EXPECT_EQ(put.exitCode, 0) << put.err.toStdString();
  EXPECT_EQ(put.err, "");  // no progress when standard error is no terminal
  EXPECT_EQ(put.out, "Wysłano \"" + dir_.filePath("jb__C_13_1_{X}.zip") + "\" do katalogu /przyjete (" +
                         QString::number(bytes.size()) + " B).\n");
  EXPECT_EQ(fileBytes(server_.homeFile("przyjete/jb__C_13_1_{X}.zip")), bytes);

  const CliRun ls = run(serverOptions() << "--dir" << "/przyjete" << "ls");
  EXPECT_EQ(ls.exitCode, 0) << ls.err.toStdString();
  EXPECT_TRUE(ls.out.endsWith(" jb__C_13_1_{X}.zip\n")) << ls.out.toStdString();
  EXPECT_EQ(ls.out.count('\n'), 1);

  const CliRun json = run(serverOptions() << "ls" << "--json");
  EXPECT_EQ(json.exitCode, 0) << json.err.toStdString();
  const QJsonArray entries = QJsonDocument::fromJson(json.out.toUtf8()).array();
  ASSERT_EQ(entries.size(), 1) << json.out.toStdString();
  EXPECT_EQ(entries[0].toObject()["name"].toString(), "przyjete");
  EXPECT_TRUE(entries[0].toObject()["directory"].toBool());

  ASSERT_TRUE(QDir(dir_.path()).mkdir("pobrane"));
  const CliRun get = run(serverOptions() << "--active" << "get" << "przyjete/jb__C_13_1_{X}.zip" << "--out"
                                         << dir_.filePath("pobrane"));
  EXPECT_EQ(get.exitCode, 0) << get.err.toStdString();
  EXPECT_EQ(fileBytes(dir_.filePath("pobrane/jb__C_13_1_{X}.zip")), bytes);

  EXPECT_EQ(run(serverOptions() << "--dir" << "przyjete" << "rm" << "jb__C_13_1_{X}.zip").exitCode, 0);
  EXPECT_EQ(run(serverOptions() << "rmdir" << "przyjete").exitCode, 0);
  EXPECT_TRUE(test::folderEntries(server_.home()).isEmpty());
}

TEST_F(FtpCommandLine, DefaultsComeFromFtpHostIniWhichStaysAsItWas) {
  ASSERT_TRUE(QDir(server_.home()).mkdir("Bestia"));
  putFile(server_.homeFile("Bestia/raport.zip"), "x");
  const QByteArray ini = ("[Server]\nServerName=" + serverName() + "\nUserName=tester\nCurrentDir=/Bestia\nPassword=sekret\n").toUtf8();
  putFile(dir_.filePath("config/FtpHost.ini"), ini);
  const CliRun ls = run({"ls"});
  EXPECT_EQ(ls.exitCode, 0) << ls.err.toStdString();
  EXPECT_TRUE(ls.out.endsWith(" raport.zip\n")) << ls.out.toStdString();
  EXPECT_EQ(fileBytes(dir_.filePath("config/FtpHost.ini")), ini);
}

TEST_F(FtpCommandLine, FailuresEndWithCodeOne) {
  putFile(dir_.filePath("zle"), "zle haslo\n");
  const CliRun login = run({"--server", serverName(), "--user", "tester", "--password-file", dir_.filePath("zle"), "ls"});
  EXPECT_EQ(login.exitCode, 1);
  EXPECT_EQ(login.err, "Błąd: Serwer FTP " + serverName() + " nie przyjął logowania użytkownika \"tester\": 530 Authentication failed.\n");

  const QString down = "127.0.0.1:" + QString::number(test::closedPort());
  const CliRun noServer = run({"--server", down, "ls"});
  EXPECT_EQ(noServer.exitCode, 1);
  EXPECT_EQ(noServer.err, "Błąd: Nie można połączyć się z serwerem FTP " + down + ": Couldn't connect to server\n");

  const CliRun missing = run(serverOptions() << "get" << "nie-ma.zip");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "Błąd: Nie można pobrać pliku \"nie-ma.zip\": 550 /nie-ma.zip is not retrievable.\n");
  EXPECT_FALSE(QFile::exists(dir_.filePath("nie-ma.zip")));
}

}  // namespace
}  // namespace wertalo
