#include <gtest/gtest.h>

#include "core/platform/user_interface.h"
#include "temp_files.h"

namespace wertalo::platform {
namespace {

SaveFileRequest request(const char* folder, const char* name, const char* extension) {
  SaveFileRequest r;
  r.title = QString::fromUtf8("Zapisz sprawozdanie");
  r.initialFolder = QString::fromUtf8(folder);
  r.proposedName = QString::fromUtf8(name);
  r.filter = "Pliki XML (*.xml)";
  r.defaultExtension = QString::fromUtf8(extension);
  return r;
}

TEST(RecordingUserInterface, RemembersMessagesInOrder) {
  RecordingUserInterface ui;
  UserInterface& user = ui;
  user.showMessage(QString::fromUtf8("Błąd odczytu ustawień"));
  user.showMessage("drugi");
  EXPECT_EQ(ui.messages(), (QStringList{QString::fromUtf8("Błąd odczytu ustawień"), "drugi"}));
}

TEST(RecordingUserInterface, SaveAnswersFromQueueThenCancel) {
  RecordingUserInterface ui;
  ui.queueSaveAnswer(QString("/srv/a.xml"));
  ui.queueSaveAnswer(std::nullopt);
  EXPECT_EQ(ui.askSaveFileName(request("/srv", "x", "xml")), std::optional<QString>("/srv/a.xml"));
  EXPECT_EQ(ui.askSaveFileName(request("/srv", "y", "xml")), std::nullopt);
  EXPECT_EQ(ui.askSaveFileName(request("/srv", "z", "xml")), std::nullopt);
  ASSERT_EQ(ui.saveRequests().size(), 3);
  EXPECT_EQ(ui.saveRequests()[1].proposedName, QString("y"));
  EXPECT_EQ(ui.saveRequests()[0].title, QString::fromUtf8("Zapisz sprawozdanie"));
}

struct ProposedCase {
  const char* folder;
  const char* name;
  const char* extension;
  const char* expected;
};

class ProposedPathTest : public ::testing::TestWithParam<ProposedCase> {};

TEST_P(ProposedPathTest, AcceptsTheProposedName) {
  RecordingUserInterface ui;
  ui.setAcceptProposedNames(true);
  const ProposedCase& c = GetParam();
  EXPECT_EQ(ui.askSaveFileName(request(c.folder, c.name, c.extension)), std::optional<QString>(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, ProposedPathTest,
                         ::testing::Values(ProposedCase{"/srv/Bestia", "Rb-27s_2013_12", "xml", "/srv/Bestia/Rb-27s_2013_12.xml"},
                                           ProposedCase{"/srv/Bestia/", "paczka.zip", "xml", "/srv/Bestia/paczka.zip"},
                                           ProposedCase{"/srv/Bestia", "Rb-28s", "", "/srv/Bestia/Rb-28s"},
                                           ProposedCase{"", "Rb-28s", "xml", "Rb-28s.xml"}));

TEST(RecordingUserInterface, YesNoFromQueueThenDefault) {
  RecordingUserInterface ui;
  ui.queueYesNoAnswer(true);
  EXPECT_TRUE(ui.askYesNo("pierwsze?"));
  EXPECT_FALSE(ui.askYesNo("drugie?"));
  ui.setDefaultYesNo(true);
  EXPECT_TRUE(ui.askYesNo("trzecie?"));
  EXPECT_EQ(ui.questions(), (QStringList{"pierwsze?", "drugie?", "trzecie?"}));
}

}  // namespace
}  // namespace wertalo::platform
