#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/platform/platform_error.h"
#include "core/platform/settings.h"
#include "support/xml_check.h"
#include "temp_files.h"

namespace wertalo::platform {
namespace {

using test::fileBytes;
using test::putFile;

const QString kPathBestia = QStringLiteral("/srv/Tervik/Bestia");

QByteArray settingsFile(const QByteArray& entries) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Wertalo>\n  <USTAWIENIA>\n" + entries +
         "  </USTAWIENIA>\n</Wertalo>\n";
}

void expectDefaults(const Settings& s, const QString& folder) {
  EXPECT_EQ(s.dirKatalog, folder);
  EXPECT_EQ(s.edtSpecSymbl, QString("500"));
  EXPECT_TRUE(s.chkDodajSpacje);
  EXPECT_TRUE(s.chkEksportujZatw);
  EXPECT_TRUE(s.cbSpakuj);
  EXPECT_FALSE(s.cbStandardowe);
  EXPECT_TRUE(s.cbWsylijPopolaczeniu);
  EXPECT_TRUE(s.cbPolaczZserweremFTP);
  EXPECT_FALSE(s.cbInterfejsftp);
  EXPECT_FALSE(s.cbUsun);
  EXPECT_TRUE(s.cbGrupoweJst);
}

TEST(Settings, Defaults) {
  QTemporaryDir dir;
  expectDefaults(Settings(dir.filePath("Wertalo.xml")), QString());
}

TEST(Settings, EntriesInFileOrder) {
  QStringList keys;
  for (const SettingDefinition& d : settingDefinitions()) keys << QString::fromLatin1(d.key);
  EXPECT_EQ(keys, (QStringList{"dirKatalog.Text", "edtSpecSymbl.Text", "chkDodajSpacje.Checked",
                               "chkEksportujZatw.Checked", "cbSpakuj.Checked", "cbStandardowe.Checked",
                               "cbWsylijPopolaczeniu.Checked", "cbPolaczZserweremFTP.Checked",
                               "cbInterfejsftp.Checked", "cbUsun.Checked", "cbGrupoweJst.Checked"}));
}

TEST(Settings, NoFileGivesDefaultsAndPathBestiaSilently) {
  QTemporaryDir dir;
  Settings s(dir.filePath("Wertalo.xml"));
  RecordingUserInterface ui;
  s.Odczyt(kPathBestia, ui);
  expectDefaults(s, kPathBestia);
  EXPECT_TRUE(ui.messages().isEmpty());
}

TEST(Settings, WithoutAStoredFileUnsavedChangesStay) {
  QTemporaryDir dir;
  Settings s(dir.filePath("Wertalo.xml"));
  RecordingUserInterface ui;
  s.Odczyt(kPathBestia, ui);
  s.chkEksportujZatw = false;  // changed, closed without "Zapisz"
  s.Odczyt(kPathBestia, ui);   // shown again: there are no stored values to put back
  EXPECT_FALSE(s.chkEksportujZatw);
  EXPECT_TRUE(ui.messages().isEmpty());
}

TEST(Settings, RoundTripOfAllValues) {
  QTemporaryDir dir;
  const QString path = dir.filePath("conf/wertalo/Wertalo.xml");
  Settings s(path);
  s.dirKatalog = QString::fromUtf8("/home/gmina/Eksport & <Łódź>");
  s.edtSpecSymbl = "750";
  s.chkDodajSpacje = false;
  s.chkEksportujZatw = false;
  s.cbSpakuj = false;
  s.cbStandardowe = true;
  s.cbWsylijPopolaczeniu = false;
  s.cbPolaczZserweremFTP = false;
  s.cbInterfejsftp = true;
  s.cbUsun = true;
  s.cbGrupoweJst = false;
  s.Zapis(kPathBestia);

  const QByteArray bytes = fileBytes(path);
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  EXPECT_EQ(bytes, settingsFile("    <dirKatalog.Text>/home/gmina/Eksport &amp; &lt;Łódź&gt;</dirKatalog.Text>\n"
                                "    <edtSpecSymbl.Text>750</edtSpecSymbl.Text>\n"
                                "    <chkDodajSpacje.Checked>FALSE</chkDodajSpacje.Checked>\n"
                                "    <chkEksportujZatw.Checked>FALSE</chkEksportujZatw.Checked>\n"
                                "    <cbSpakuj.Checked>FALSE</cbSpakuj.Checked>\n"
                                "    <cbStandardowe.Checked>TRUE</cbStandardowe.Checked>\n"
                                "    <cbWsylijPopolaczeniu.Checked>FALSE</cbWsylijPopolaczeniu.Checked>\n"
                                "    <cbPolaczZserweremFTP.Checked>FALSE</cbPolaczZserweremFTP.Checked>\n"
                                "    <cbInterfejsftp.Checked>TRUE</cbInterfejsftp.Checked>\n"
                                "    <cbUsun.Checked>TRUE</cbUsun.Checked>\n"
                                "    <cbGrupoweJst.Checked>FALSE</cbGrupoweJst.Checked>\n"));

  Settings read(path);
  RecordingUserInterface ui;
  read.Odczyt(kPathBestia, ui);
  EXPECT_TRUE(ui.messages().isEmpty());
  EXPECT_EQ(read.dirKatalog, s.dirKatalog);
  EXPECT_EQ(read.edtSpecSymbl, QString("750"));
  for (const SettingDefinition& d : settingDefinitions()) {
    if (d.type == SettingDefinition::Type::Boolean) {
      EXPECT_EQ(read.*d.flag, s.*d.flag) << d.key;
    }
  }
}

struct WordCase {
  const char* text;
  bool dodajSpacje;  // default true
  bool usun;         // default false
};

class BooleanWordTest : public ::testing::TestWithParam<WordCase> {};

TEST_P(BooleanWordTest, ReadAsStored) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Wertalo.xml");
  const QByteArray word(GetParam().text);
  putFile(path, settingsFile("<chkDodajSpacje.Checked>" + word + "</chkDodajSpacje.Checked><cbUsun.Checked>" +
                             word + "</cbUsun.Checked>\n"));
  Settings s(path);
  RecordingUserInterface ui;
  s.Odczyt(kPathBestia, ui);
  EXPECT_EQ(s.chkDodajSpacje, GetParam().dodajSpacje);
  EXPECT_EQ(s.cbUsun, GetParam().usun);
  EXPECT_TRUE(ui.messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, BooleanWordTest,
                         ::testing::Values(WordCase{"TRUE", true, true}, WordCase{"true", true, true},
                                           WordCase{"Yes", true, true}, WordCase{"y", true, true},
                                           WordCase{"FALSE", false, false}, WordCase{"False", false, false},
                                           WordCase{"no", false, false}, WordCase{"N", false, false},
                                           WordCase{"1", true, false}, WordCase{"0", true, false},
                                           WordCase{"", true, false}, WordCase{"tak", true, false}));

TEST(Settings, MissingEntriesKeepDefaults) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Wertalo.xml");
  putFile(path, settingsFile("    <edtSpecSymbl.Text>601</edtSpecSymbl.Text>\n    <Nieznany>x</Nieznany>\n"));
  Settings s(path);
  RecordingUserInterface ui;
  s.Odczyt(kPathBestia, ui);
  EXPECT_EQ(s.edtSpecSymbl, QString("601"));
  s.edtSpecSymbl = "500";
  expectDefaults(s, kPathBestia);
}

TEST(Settings, StoredValuesReplaceUnsavedChanges) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Wertalo.xml");
  Settings s(path);
  s.Zapis(kPathBestia);
  s.chkEksportujZatw = false;
  RecordingUserInterface ui;
  s.Odczyt(kPathBestia, ui);
  EXPECT_TRUE(s.chkEksportujZatw);
}

// A text with a lone surrogate half (read from a file in another encoding) was written as bytes
// that are no UTF-8, and the stored file could not be read again.
TEST(Settings, ValueWithALoneSurrogateIsStoredWithoutIt) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Wertalo.xml");
  Settings s(path);
  s.dirKatalog = QStringLiteral("/srv/a") + QChar(0xDB9A) + QStringLiteral("b") + QChar(0xDE00) +
                 QString::fromUtf8("/😀");
  s.Zapis(kPathBestia);
  EXPECT_TRUE(test::isWellFormedXml(fileBytes(path)));
  Settings read(path);
  RecordingUserInterface ui;
  read.Odczyt(kPathBestia, ui);
  EXPECT_TRUE(ui.messages().isEmpty());
  EXPECT_EQ(read.dirKatalog, QString::fromUtf8("/srv/ab/😀"));
}

struct BadFileCase {
  const char* name;
  QByteArray bytes;
};

class BadSettingsFileTest : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(BadSettingsFileTest, DefaultsAndMessage) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Wertalo.xml");
  putFile(path, GetParam().bytes);
  Settings s(path);
  RecordingUserInterface ui;
  s.Odczyt(kPathBestia, ui);
  expectDefaults(s, kPathBestia);
  EXPECT_EQ(ui.messages(), QStringList{QString::fromUtf8("Błąd odczytu ustawień")});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadSettingsFileTest,
    ::testing::Values(
        BadFileCase{"Truncated", "<Wertalo><USTAWIENIA><cbUsun.Checked>TRUE</cbUsun.Checked><edtSpecSymbl.Text>7"},
        BadFileCase{"NotXml", "dirKatalog.Text=/tmp\n"},
        BadFileCase{"Empty", ""},
        BadFileCase{"OtherRoot", "<Ustawienia><USTAWIENIA><cbUsun.Checked>TRUE</cbUsun.Checked></USTAWIENIA></Ustawienia>"},
        BadFileCase{"ElementInsideAValue",
                    "<Wertalo><USTAWIENIA><cbUsun.Checked>TRUE</cbUsun.Checked><dirKatalog.Text><a/></dirKatalog.Text>"
                    "</USTAWIENIA></Wertalo>"},
        // Qt's reader takes "$", "@", "`", "{", ... in attribute names and a soft hyphen as a
        // processing-instruction target; XML does not.
        BadFileCase{"ProcessingInstructionTargetThatIsNoName",
                    "<Wertalo><USTAWIENIA><cbUsun.Checked>TRUE<?\xC2\xAD?></cbUsun.Checked></USTAWIENIA></Wertalo>"},
        // Qt's reader passes over unknown pseudo-attributes in the XML declaration.
        BadFileCase{"DeclarationWithAnUnknownPseudoAttribute",
                    "<?xml version=\"1.0\" xmlns:ng=\"UTF-8\"?>\n<Wertalo><USTAWIENIA><cbUsun.Checked>TRUE</cbUsun.Checked>"
                    "</USTAWIENIA></Wertalo>"},
        // Qt's reader drops an incomplete UTF-8 sequence at the very end of the data.
        BadFileCase{"IncompleteUtf8SequenceAtTheEnd",
                    "<Wertalo><USTAWIENIA><cbUsun.Checked>TRUE</cbUsun.Checked></USTAWIENIA></Wertalo>\r\xC7"},
        BadFileCase{"AttributeNameOfPunctuation",
                    "<Wertalo><Inne `=\"1\"/><USTAWIENIA><cbUsun.Checked>TRUE</cbUsun.Checked></USTAWIENIA></Wertalo>"},
        BadFileCase{"AttributeNameWithDollarOnAnEntry",
                    "<Wertalo><USTAWIENIA><cbUsun.Checked a$=\"1\">TRUE</cbUsun.Checked></USTAWIENIA></Wertalo>"},
        // Qt's reader takes a document type declaration after the root element has begun, or a
        // second one; XML allows one, before the root.
        BadFileCase{"DocumentTypeInsideTheRoot",
                    "<Wertalo><USTAWIENIA>\n<!DOCTYPE a><cbUsun.Checked>TRUE</cbUsun.Checked></USTAWIENIA></Wertalo>"},
        BadFileCase{"SecondDocumentType",
                    "<!DOCTYPE Wertalo><!DOCTYPE Wertalo><Wertalo><USTAWIENIA><cbUsun.Checked>TRUE</cbUsun.Checked>"
                    "</USTAWIENIA></Wertalo>"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Settings, UnreadableFileGivesMessage) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Wertalo.xml");
  ASSERT_TRUE(QDir().mkpath(path));
  Settings s(path);
  RecordingUserInterface ui;
  s.Odczyt(kPathBestia, ui);
  expectDefaults(s, kPathBestia);
  EXPECT_EQ(ui.messages(), QStringList{QString::fromUtf8("Błąd odczytu ustawień")});
}

TEST(Settings, StoredEmptyFolderShownAsPathBestiaAndZapisStoresIt) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Wertalo.xml");
  putFile(path, settingsFile("    <dirKatalog.Text></dirKatalog.Text>\n"));
  Settings s(path);
  RecordingUserInterface ui;
  s.Odczyt(kPathBestia, ui);
  EXPECT_EQ(s.dirKatalog, kPathBestia);

  s.dirKatalog.clear();
  s.Zapis(kPathBestia);
  EXPECT_EQ(s.dirKatalog, kPathBestia);
  EXPECT_TRUE(fileBytes(path).contains("<dirKatalog.Text>/srv/Tervik/Bestia</dirKatalog.Text>"));
  Settings again(path);
  again.Odczyt("/other", ui);
  EXPECT_EQ(again.dirKatalog, kPathBestia);
}

TEST(Settings, ZapisThatCannotWriteRaises) {
  QTemporaryDir dir;
  putFile(dir.filePath("plain"), "x");
  Settings s(dir.filePath("plain/Wertalo.xml"));
  EXPECT_THROW(s.Zapis(kPathBestia), PlatformError);
}

TEST(Settings, FileInConfigDir) {
  const QByteArray saved = qgetenv("WERTALO_CONFIG_DIR");
  const bool wasSet = qEnvironmentVariableIsSet("WERTALO_CONFIG_DIR");
  qputenv("WERTALO_CONFIG_DIR", "/srv/wertalo");
  EXPECT_EQ(Settings().file(), QString("/srv/wertalo/Wertalo.xml"));
  if (wasSet) {
    qputenv("WERTALO_CONFIG_DIR", saved);
  } else {
    qunsetenv("WERTALO_CONFIG_DIR");
  }
}

TEST(SettingEntryName, InvalidCharactersBecomeUnderscore) {
  EXPECT_EQ(settingEntryName("dirKatalog.Text"), QString("dirKatalog.Text"));
  EXPECT_EQ(settingEntryName("1 a/b:c"), QString("__a_b_c"));
}

}  // namespace
}  // namespace wertalo::platform
