// The program's command line: what it is taken as, and the wizard's start from a report list.
#include "gui/command_line.h"
#include "gui/reports_page.h"
#include "gui/welcome_page.h"
#include "wizard_fixture.h"

namespace wertalo::test {
namespace {

struct CommandLineCase {
  QStringList parameters;
  bool hasList;
  const char* userid;
  const char* list;
};

void PrintTo(const CommandLineCase& c, std::ostream* os) { *os << c.parameters.join(' ').toStdString(); }

class CommandLineForms : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineForms, AreTakenAsTheProductGivesThem) {
  const gui::WizardCommandLine line = gui::parseWizardCommandLine(GetParam().parameters);
  EXPECT_EQ(line.hasList, GetParam().hasList);
  EXPECT_EQ(line.userid, QString::fromUtf8(GetParam().userid));
  EXPECT_EQ(line.list, QString::fromUtf8(GetParam().list));
  EXPECT_FALSE(line.help);
}

INSTANTIATE_TEST_SUITE_P(
    Parameters, CommandLineForms,
    ::testing::Values(CommandLineCase{{}, false, "", ""},
                      CommandLineCase{{"226444,226726,"}, true, "", "226444,226726,"},
                      CommandLineCase{{"anowak", "226444,"}, true, "anowak", "226444,"},
                      CommandLineCase{{"anowak", "226444,", "x"}, true, "", ""}));

TEST(CommandLine, HelpIsAskedAlone) {
  EXPECT_TRUE(gui::parseWizardCommandLine({"--help"}).help);
  EXPECT_FALSE(gui::parseWizardCommandLine({"anowak", "--help"}).help);
  EXPECT_TRUE(gui::wizardUsage().startsWith("Użycie: wertalo [[LOGIN] LISTA]"));
}

// The identifiers as the product passes them: each followed by ",".
QString idList(const std::vector<qint64>& ids) {
  QString list;
  for (qint64 id : ids) list += QString::number(id) + ',';
  return list;
}

TEST_F(WizardTest, AReportListStartsOnTheReportPageWithExactlyThoseReports) {
  const std::vector<qint64> all = latestBudgetUnitReports();
  ASSERT_GE(all.size(), 3u);
  const std::vector<qint64> chosen{all[0], all[all.size() - 1]};

  gui::TfrmWertalo& w = open({true, "anowak", idList(chosen)});
  EXPECT_EQ(w.currentId(), gui::kReportsPage);
  EXPECT_EQ(w.userid, "anowak");
  EXPECT_TRUE(w.bZamianStronyAutomatyczna);
  EXPECT_FALSE(w.button(QWizard::BackButton)->isEnabled());
  EXPECT_FALSE(w.welcome->isEnabled());
  EXPECT_FALSE(w.reports->cbGrupoweJst->isChecked());
  EXPECT_FALSE(w.reports->cbGrupoweJst->isEnabled());
  EXPECT_FALSE(session_->options().bEksportZatw);
  EXPECT_EQ(session_->product(), catalogue::rBudzetJB);
  EXPECT_EQ(session_->unitKind(), catalogue::rJB);
  std::vector<qint64> offered;
  for (int i = 0; i < session_->selection().recordCount(); ++i) offered.push_back(session_->selection().at(i).IDSPRAW);
  std::sort(offered.begin(), offered.end());
  EXPECT_EQ(offered, chosen);
  EXPECT_EQ(w.reports->OvcDbTable1->model()->rowCount(), 2);
  EXPECT_TRUE(dialogs_.errors.isEmpty()) << dialogs_.errors.join('\n').toStdString();

  // The preselected list stays on the way to the summary.
  w.next();
  EXPECT_EQ(w.currentId(), gui::kSummaryPage);
  EXPECT_EQ(w.iWybrane, 2);
}

struct RefusedList {
  const char* list;
};

void PrintTo(const RefusedList& c, std::ostream* os) { *os << c.list; }

class RefusedLists : public WizardTest, public ::testing::WithParamInterface<RefusedList> {};

TEST_P(RefusedLists, AreNamedInAMessageAndTheNormalStartFollows) {
  gui::TfrmWertalo& w = open({true, "", QString::fromUtf8(GetParam().list)});
  ASSERT_EQ(dialogs_.errors.size(), 1);
  EXPECT_TRUE(dialogs_.errors[0].startsWith("Niepoprawna lista sprawozdań")) << dialogs_.errors[0].toStdString();
  EXPECT_EQ(w.currentId(), gui::kWelcomePage);
  EXPECT_TRUE(w.welcome->isEnabled());
  EXPECT_FALSE(w.bZamianStronyAutomatyczna);
  EXPECT_EQ(session_->product(), catalogue::rBudzetJST);
  EXPECT_GT(session_->selection().recordCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Malformed, RefusedLists,
                         ::testing::Values(RefusedList{"1) OR 1=1 --"}, RefusedList{"12,13"}, RefusedList{"12;13;"},
                                           RefusedList{",12,"}, RefusedList{"12, 13,"}, RefusedList{"-5,"}));

TEST_F(WizardTest, AListNamingNoReportGivesTheNormalStartWithoutAMessage) {
  gui::TfrmWertalo& w = open({true, "", "999999901,999999902,"});
  EXPECT_TRUE(dialogs_.errors.isEmpty());
  EXPECT_EQ(w.currentId(), gui::kWelcomePage);
  EXPECT_GT(session_->selection().recordCount(), 0);
}

}  // namespace
}  // namespace wertalo::test
