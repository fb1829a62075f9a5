// The settings form "Ustawienia": its values from and to Wertalo.xml, the export folder that
// defaults to the product's, and closing without storing.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "core/platform/settings.h"
#include "gui/forms.h"
#include "gui/forms/settings_form.h"
#include "gui_fixture.h"
#include "support/xml_check.h"

namespace wertalo::gui {
namespace {

using namespace Qt::StringLiterals;
using platform::SettingDefinition;
using test::control;

// The control of a stored value ("dirKatalog" for "dirKatalog.Text").
QString controlName(const SettingDefinition& d) { return QString::fromLatin1(d.key).section(u'.', 0, 0); }

class SettingsForm : public test::FormTest {
 protected:
  void SetUp() override {
    // One approved and one open report of the year: which of them the run offers follows the
    // approved-only switch.
    open([](test::MappingDb& rows) {
      test::insertReport(rows.connection(), {.idspraw = 100, .typspr = u"BILS"_s, .datazak = u"2015-03-01"_s,
                                             .rok = u"14"_s, .okres = u"4"_s});
      test::insertReport(rows.connection(), {.idspraw = 200, .typspr = u"BILB"_s, .rok = u"14"_s, .okres = u"4"_s});
    });
    form_ = std::make_unique<TfrmParams>(*session_);
  }
  void TearDown() override { form_.reset(); }

  QByteArray storedFile() const {
    QFile file(install_.settingsFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void click(const QString& button) { control<QPushButton>(*form_, button)->click(); }
  QCheckBox* box(const QString& name) { return control<QCheckBox>(*form_, name); }
  QLineEdit* edit(const QString& name) { return control<QLineEdit>(*form_, name); }

  std::unique_ptr<TfrmParams> form_;
};

TEST_F(SettingsForm, WithoutASettingsFileEveryControlHasItsDefaultAndTheFolderIsTheProducts) {
  form_->show();
  for (const SettingDefinition& d : platform::settingDefinitions()) {
    if (d.type == SettingDefinition::Type::Boolean) {
      EXPECT_EQ(box(controlName(d))->isChecked(), d.flagDefault) << d.key;
    } else if (controlName(d) != u"dirKatalog"_s) {
      EXPECT_EQ(edit(controlName(d))->text(), QString::fromUtf8(d.textDefault)) << d.key;
    }
  }
  EXPECT_EQ(edit(u"dirKatalog"_s)->text(), install_.pathBestia());
  EXPECT_TRUE(ui_.messages().isEmpty());
  EXPECT_FALSE(QFile::exists(install_.settingsFile()));
}

TEST_F(SettingsForm, SavedValuesComeBackAtTheNextStart) {
  form_->show();
  edit(u"dirKatalog"_s)->setText(u"/tmp/eksport bestia"_s);
  edit(u"edtSpecSymbl"_s)->setText(u"750"_s);
  for (const SettingDefinition& d : platform::settingDefinitions())
    if (d.type == SettingDefinition::Type::Boolean) box(controlName(d))->setChecked(!d.flagDefault);
  click(u"btnZapisz"_s);
  EXPECT_TRUE(ui_.messages().isEmpty()) << ui_.messages().join(u'\n').toStdString();
  EXPECT_TRUE(test::isWellFormedXml(storedFile()));
  EXPECT_TRUE(form_->isVisible());  // "Zapisz" stores and leaves the form open

  const auto next = reopen();
  const platform::Settings& stored = next->settings();
  EXPECT_EQ(stored.dirKatalog, u"/tmp/eksport bestia"_s);
  EXPECT_EQ(stored.edtSpecSymbl, u"750"_s);
  for (const SettingDefinition& d : platform::settingDefinitions()) {
    if (d.type == SettingDefinition::Type::Boolean) {
      EXPECT_EQ(stored.*d.flag, !d.flagDefault) << d.key;
    }
  }
  EXPECT_FALSE(next->options().bEksportZatw);
  EXPECT_FALSE(next->options().bDodajInfo);  // "Eksport bez dodatkowych pól" ticked

  TfrmParams again(*next);
  again.show();
  EXPECT_EQ(control<QLineEdit>(again, u"edtSpecSymbl"_s)->text(), u"750"_s);
  EXPECT_FALSE(control<QCheckBox>(again, u"chkEksportujZatw"_s)->isChecked());
}

TEST_F(SettingsForm, AStoredEmptyFolderShowsTheProductsFolderAndSaveStoresIt) {
  QFile file(install_.settingsFile());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("<?xml version=\"1.0\"?>\n<Wertalo><USTAWIENIA><dirKatalog.Text></dirKatalog.Text>"
             "<edtSpecSymbl.Text>600</edtSpecSymbl.Text></USTAWIENIA></Wertalo>\n");
  file.close();
  form_->show();
  EXPECT_EQ(edit(u"dirKatalog"_s)->text(), install_.pathBestia());
  EXPECT_EQ(edit(u"edtSpecSymbl"_s)->text(), u"600"_s);

  edit(u"dirKatalog"_s)->clear();
  click(u"btnZapisz"_s);
  EXPECT_EQ(edit(u"dirKatalog"_s)->text(), install_.pathBestia());
  EXPECT_TRUE(test::isWellFormedXml(storedFile()));
  platform::Settings stored(install_.settingsFile());
  stored.Odczyt(QString(), ui_);
  EXPECT_EQ(stored.dirKatalog, install_.pathBestia());
  EXPECT_EQ(stored.edtSpecSymbl, u"600"_s);
}

// Unticking "Eksportuj tylko zatwierdzone sprawozdania" and closing without "Zapisz": this run
// offers open reports too; the form shows the stored value again, and so does the next start.
TEST_F(SettingsForm, ClosingWithoutSavingCountsForThisRunOnly) {
  form_->show();
  click(u"btnZapisz"_s);  // the defaults are stored
  session_->refreshSelection();
  EXPECT_EQ(session_->selection().recordCount(), 1);

  box(u"chkEksportujZatw"_s)->setChecked(false);
  click(u"btnZamknij"_s);
  EXPECT_FALSE(form_->isVisible());
  EXPECT_FALSE(session_->settings().chkEksportujZatw);
  EXPECT_FALSE(session_->options().bEksportZatw);
  session_->refreshSelection();
  EXPECT_EQ(session_->selection().recordCount(), 2);

  form_->show();
  EXPECT_TRUE(box(u"chkEksportujZatw"_s)->isChecked());
  EXPECT_TRUE(reopen()->options().bEksportZatw);
}

// Without a stored file the values of the run stay when the form is shown again.
TEST_F(SettingsForm, WithoutAStoredFileTheRunsValuesStay) {
  form_->show();
  box(u"cbUsun"_s)->setChecked(true);
  click(u"btnZamknij"_s);
  form_->show();
  EXPECT_TRUE(box(u"cbUsun"_s)->isChecked());
  EXPECT_TRUE(session_->settings().cbUsun);
  EXPECT_FALSE(reopen()->settings().cbUsun);
}

TEST_F(SettingsForm, AnUnreadableFileIsReportedAndTheValuesStay) {
  form_->show();
  edit(u"edtSpecSymbl"_s)->setText(u"123"_s);
  QFile file(install_.settingsFile());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("<Wertalo><USTAWIENIA><edtSpecSymbl.Text>9");
  file.close();
  form_->hide();
  form_->show();
  EXPECT_EQ(ui_.messages(), QStringList{platform::kSettingsReadError});
  EXPECT_EQ(edit(u"edtSpecSymbl"_s)->text(), u"123"_s);
}

TEST_F(SettingsForm, AFileThatCannotBeWrittenIsReportedWithItsReason) {
  form_->show();
  ASSERT_TRUE(QDir().mkpath(install_.settingsFile()));  // a folder where the file should be
  click(u"btnZapisz"_s);
  ASSERT_EQ(ui_.messages().size(), 1);
  EXPECT_TRUE(ui_.messages().front().contains(install_.settingsFile())) << ui_.messages().front().toStdString();
  EXPECT_TRUE(form_->isVisible());
}

// The wizard's entry: the form is shown modally, kept by the wizard's window, and on return the
// session holds what the form held.
TEST_F(SettingsForm, TheWizardsEntryShowsOneFormPerWindow) {
  QWidget wizard;
  TfrmParams* shown = nullptr;
  test::whenModal([&] {
    shown = wizard.findChild<TfrmParams*>();
    ASSERT_NE(shown, nullptr);
    control<QCheckBox>(*shown, u"cbInterfejsftp"_s)->setChecked(true);
    control<QPushButton>(*shown, u"btnZamknij"_s)->click();
  });
  showSettingsForm(&wizard, *session_);
  EXPECT_TRUE(session_->settings().cbInterfejsftp);

  test::whenModal([&] {
    EXPECT_EQ(wizard.findChildren<TfrmParams*>().size(), 1);
    EXPECT_EQ(wizard.findChild<TfrmParams*>(), shown);
    control<QPushButton>(*shown, u"btnZamknij"_s)->click();
  });
  showSettingsForm(&wizard, *session_);
}

}  // namespace
}  // namespace wertalo::gui
