#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>


#include "core/platform/process.h"
#include "temp_files.h"

namespace wertalo::platform {
namespace {

TEST(StartDetached, MissingProgramIsReported) {
  EXPECT_FALSE(startDetached("/no/such/program", "x"));
}

TEST(StartDetached, PassesOneArgumentWithBlanksWhole) {
  QTemporaryDir dir;
  const QString script = dir.filePath("send it.sh");
  const QString marker = dir.filePath("seen");
  // The script records its own path ($0, the one argument given to the shell).
  test::putFile(script, ("printf '%s' \"$0\" > '" + marker + ".tmp' && mv '" + marker + ".tmp' '" + marker + "'\n").toUtf8());
  ASSERT_TRUE(startDetached("/bin/sh", script));
  // The process runs on its own; wait (bounded) until its file appears.
  QDeadlineTimer deadline(30000);
  while (!QFile::exists(marker) && !deadline.hasExpired()) QThread::msleep(10);
  ASSERT_TRUE(QFile::exists(marker)) << "the started process left no trace";
  EXPECT_EQ(test::fileBytes(marker), script.toUtf8());
}

}  // namespace
}  // namespace wertalo::platform
