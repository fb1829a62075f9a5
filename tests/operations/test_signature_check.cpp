// The signature check the wizard's completion page shows for the files an export wrote.
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "core/demo/demo_installation.h"
#include "core/operations/session.h"
#include "core/operations/signature_check.h"
#include "core/platform/user_interface.h"
#include "support/qt_printers.h"

namespace wertalo::operations {
namespace {

class SignatureCheckLines : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    const demo::DemoInstallation install = demo::createDemoInstallation({dir_.filePath(QStringLiteral("demo")), 1});
    session_ = Session::open({install.winIni, dir_.filePath(QStringLiteral("Wertalo.xml"))}, ui_);
    catalogue::RunOptions options = session_->options();
    options.dirKatalog = dir_.filePath(QStringLiteral("eksport"));
    options.bEksportZatw = false;
    options.chkZapiszPojedynczo = true;
    session_->setOptions(options);
    session_->choose(Choice{});
    result_ = session_->exportSelection();
    ASSERT_FALSE(result_.files.empty());
  }

  // The written file whose name starts with `prefix`.
  QString fileOf(const QString& prefix) const {
    for (const catalogue::WrittenFile& file : result_.files)
      if (QFileInfo(file.path).fileName().startsWith(prefix)) return file.path;
    return QString();
  }

  static void rewrite(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
  }

  static QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir_;
  platform::RecordingUserInterface ui_;
  std::unique_ptr<Session> session_;
  catalogue::ExportResult result_;
};

TEST_F(SignatureCheckLines, EverySignedFileOfTheDemoVerifiesAndUnsignedFilesAreNotListed) {
  const QString signedFile = fileOf(QStringLiteral("Rb-N_"));
  ASSERT_FALSE(signedFile.isEmpty());
  const QStringList lines = signatureCheckLines(result_);
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_TRUE(lines.contains(QStringLiteral("Podpisy w pliku %1: zgodne 2 z 2").arg(QFileInfo(signedFile).fileName()))) << lines.join(u'\n').toStdString();
  for (const QString& line : lines) EXPECT_TRUE(line.startsWith(QStringLiteral("Podpisy w pliku "))) << line.toStdString();
  EXPECT_LT(lines.size(), static_cast<qsizetype>(result_.files.size()));
}

TEST_F(SignatureCheckLines, AChangedSignedReportAndAnUnreadableFileAreNamed) {
  const QString signedFile = fileOf(QStringLiteral("Rb-N_"));
  const QString otherFile = fileOf(QStringLiteral("Rb-27s_"));
  ASSERT_FALSE(signedFile.isEmpty());
  ASSERT_FALSE(otherFile.isEmpty());
  QByteArray bytes = bytesOf(signedFile);
  const qsizetype at = bytes.indexOf("<Wersja>0</Wersja>", bytes.indexOf("<Rb-N Id="));
  ASSERT_GT(at, 0);
  bytes[at + 8] = '1';
  rewrite(signedFile, bytes);
  rewrite(otherFile, "<Sprawozdania>");

  const QStringList lines = signatureCheckLines(result_);
  const QString name = QFileInfo(signedFile).fileName();
  const qsizetype summary = lines.indexOf(QStringLiteral("Podpisy w pliku %1: zgodne 0 z 2").arg(name));
  ASSERT_GE(summary, 0) << lines.join(u'\n').toStdString();
  ASSERT_GT(lines.size(), summary + 2);
  EXPECT_TRUE(lines.at(summary + 1).startsWith(QStringLiteral("  podpis 1 (Rb-N"))) << lines.at(summary + 1).toStdString();
  EXPECT_TRUE(lines.at(summary + 2).startsWith(QStringLiteral("  podpis 2 (Rb-N"))) << lines.at(summary + 2).toStdString();
  const QString unreadable = QStringLiteral("Nie sprawdzono podpisów w pliku %1: ").arg(QFileInfo(otherFile).fileName());
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return l.startsWith(unreadable); })) << lines.join(u'\n').toStdString();
}

}  // namespace
}  // namespace wertalo::operations
