// Texts of the FTP page: listing lines, server replies, server names, transfer status.
#include <QLocale>

#include <gtest/gtest.h>

#include "core/sending/ftp_text.h"
#include "core/sending/transfer_meter.h"
#include "support/qt_printers.h"

namespace wertalo::sending {
namespace {

struct LineCase {
  const char* what;
  const char* line;
  const char* name;
  bool directory;
};

TEST(GetNameFromDirLine, FindsTheNameOnUnixAndDosLines) {
  const LineCase cases[] = {
      {"Unix directory, blank inside the name", "drwxr-xr-x 2 owner group 4096 Jan 31 10:30 My Docs", "My Docs", true},
      {"Unix file, padded columns", "-rw-r--r--   1 root     root        12345 Dec 10 02:28 Rb-27s.xml", "Rb-27s.xml",
       false},
      {"Unix file, year instead of time", "-rw-r--r-- 1 jan users 10 Mar  3  2013 stary plik.zip", "stary plik.zip", false},
      {"DOS directory", "01-31-13  10:30AM       <DIR>          My Docs", "My Docs", true},
      {"DOS file with a size", "01-31-13  10:30AM              1234 plik.xml", "plik.xml", false},
      {"Unix line whose owner starts with a digit is read as DOS",
       "-rw-r--r-- 1 1000 group 4096 Jan 31 10:30 plik.xml", "group 4096 Jan 31 10:30 plik.xml", false},
      {"Unix directory whose owner starts with a digit", "drwxr-xr-x 2 1000 group 4096 Jan 31 10:30 kat", "kat", true},
      {"empty line", "", "", false},
      {"no blank at all", "plik", "plik", false},
  };
  for (const LineCase& c : cases) {
    bool isDirectory = !c.directory;
    EXPECT_EQ(GetNameFromDirLine(QString::fromUtf8(c.line), isDirectory), QString::fromUtf8(c.name)) << c.what;
    EXPECT_EQ(isDirectory, c.directory) << c.what;
  }
}

TEST(FtpReplies, CodeAndQuotedPath) {
  EXPECT_EQ(replyCode("550 No such file or directory."), 550);
  EXPECT_EQ(replyCode("230-Welcome"), 230);
  EXPECT_EQ(replyCode("213 1234"), 213);
  EXPECT_EQ(replyCode("2130 x"), 0);
  EXPECT_EQ(replyCode("ab"), 0);
  EXPECT_EQ(replyCode("drwx"), 0);
  EXPECT_EQ(quotedPath(R"(257 "/my dir" is the current directory.)"), "/my dir");
  EXPECT_EQ(quotedPath(R"(257 "/a ""b""" is the current directory.)"), "/a \"b\"");
  EXPECT_EQ(quotedPath("257 no quotes"), "");
  EXPECT_EQ(quotedPath(R"(257 "/unclosed)"), "");
}

TEST(FtpServerName, HostOrHostAndPort) {
  struct Case {
    const char* text;
    const char* host;  // null: refused
    int port;
  };
  const Case cases[] = {
      {"localhost", "localhost", 21},      {"ftp.example.pl:2121", "ftp.example.pl", 2121},
      {" 127.0.0.1:21 ", "127.0.0.1", 21}, {"[::1]:2121", "::1", 2121},
      {"[::1]", "::1", 21},                {"fe80::1", "fe80::1", 21},
      {"host:0", nullptr, 0},              {"host:70000", nullptr, 0},
      {"host:", nullptr, 0},               {"host:ftp", nullptr, 0},
      {"", nullptr, 0},                    {"user@host", nullptr, 0},
      {"host/path", nullptr, 0},           {"ftp://host", nullptr, 0},
      {"[::1]x", nullptr, 0},              {"a b", nullptr, 0},
      // A line break at the end is no part of a name: it would end the command it is sent in.
      {"[1\n]:22121", nullptr, 0},         {"[host\n]", nullptr, 0},
      {"[::1]:21\n2", nullptr, 0},
  };
  for (const Case& c : cases) {
    QString error;
    const auto parsed = parseServerName(QString::fromUtf8(c.text), &error);
    if (c.host == nullptr) {
      EXPECT_FALSE(parsed) << c.text;
      EXPECT_FALSE(error.isEmpty()) << c.text;
      continue;
    }
    ASSERT_TRUE(parsed) << c.text << ": " << error.toStdString();
    EXPECT_EQ(parsed->host, QString::fromUtf8(c.host)) << c.text;
    EXPECT_EQ(parsed->port, c.port) << c.text;
  }
  QString error;
  parseServerName("host:99999", &error);
  EXPECT_EQ(error, "Niepoprawny port serwera FTP w \"host:99999\" (oczekiwano liczby od 1 do 65535)");
}

TEST(TransferMeter, StatusTextsOfTheFtpPage) {
  qint64 now = 5000;
  TransferMeter meter([&now] { return now; });
  const QLocale polish(QLocale::Polish, QLocale::Poland);

  meter.BytesToTransfer = 8000;
  meter.begin(0);
  EXPECT_TRUE(meter.TransferrignData);
  EXPECT_EQ(meter.maximum, 8000);  // a download's size comes from SIZE
  EXPECT_EQ(meter.progress(100, TransferDirection::Download, polish), "Prędkość pobierania 0,00 KB/s");  // no time yet
  now += 2000;
  EXPECT_EQ(meter.progress(4096, TransferDirection::Download, polish), "Prędkość pobierania 2,00 KB/s");
  EXPECT_EQ(meter.position, 4096);
  EXPECT_EQ(meter.end(), "Pobieranie zakończone.");
  EXPECT_FALSE(meter.TransferrignData);
  EXPECT_EQ(meter.BytesToTransfer, 0);
  EXPECT_EQ(meter.position, 0);
  EXPECT_EQ(meter.AverageSpeed, 0);

  meter.begin(3 * 1024 * 1024);  // an upload knows its size
  EXPECT_EQ(meter.maximum, 3 * 1024 * 1024);
  now += 500;
  EXPECT_EQ(meter.progress(2 * 1024 * 1024, TransferDirection::Upload, QLocale::c()), "Prędkość wysyłania 4096.00 KB/s");
  EXPECT_EQ(meter.end(), "Pobieranie zakończone.");  // after uploads as well
  EXPECT_EQ(speedText(1234.567, polish), "1234,57 KB/s");
}

}  // namespace
}  // namespace wertalo::sending
