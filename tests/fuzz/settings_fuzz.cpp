// Fuzzes the reader of the settings file "Wertalo.xml": the input is the file's bytes.
// Properties: no crash; a file that is refused ("Błąd odczytu ustawień") leaves every value as
// it was; a file libxml2 finds malformed (other than in the decoding of its bytes) is refused;
// the values of an accepted file are stored and read back unchanged (less the characters XML
// forbids).
#include "core/platform/settings.h"
#include "core/platform/user_interface.h"
#include "fuzz_support.h"

using namespace wertalo;
using namespace wertalo::platform;
using wertalo::fuzz::fail;
using wertalo::fuzz::shown;

namespace {

const QString kPathBestia = QStringLiteral("/srv/Tervik/Bestia");

// Values unlike the defaults, so that a partial read shows.
void setOwnValues(Settings& settings) {
  for (const SettingDefinition& definition : settingDefinitions()) {
    if (definition.type == SettingDefinition::Type::Text) {
      settings.*definition.text = QStringLiteral("ustawione ") + QString::fromLatin1(definition.key);
    } else {
      settings.*definition.flag = !definition.flagDefault;
    }
  }
}

// The first value that differs, or empty when all are the same.
QString difference(const Settings& a, const Settings& b) {
  for (const SettingDefinition& definition : settingDefinitions()) {
    if (definition.type == SettingDefinition::Type::Text) {
      if (a.*definition.text != b.*definition.text) {
        return QString::fromLatin1(definition.key) + QStringLiteral(": ") + shown(a.*definition.text) + QStringLiteral(" / ") +
               shown(b.*definition.text);
      }
    } else if (a.*definition.flag != b.*definition.flag) {
      return QString::fromLatin1(definition.key);
    }
  }
  return QString();
}

// A text as it can be stored: without the characters XML 1.0 forbids (lone surrogate halves too).
QString storable(const QString& text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t u = text[i].unicode();
    if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      out += text.mid(i++, 2);
      continue;
    }
    if (QChar::isSurrogate(u) || (u < 0x20 && u != 0x9 && u != 0xA && u != 0xD) || u == 0xFFFE || u == 0xFFFF) continue;
    out += QChar(u);
  }
  return out;
}

// The values of one settings object put into another (which keeps its own file).
void copyValues(const Settings& from, Settings& to) {
  for (const SettingDefinition& definition : settingDefinitions()) {
    if (definition.type == SettingDefinition::Type::Text) {
      to.*definition.text = from.*definition.text;
    } else {
      to.*definition.flag = from.*definition.flag;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QString file = fuzz::scratchFolder() + QStringLiteral("/Wertalo.xml");
  fuzz::putFile(file, bytes);

  Settings settings(file);
  setOwnValues(settings);
  const Settings before = settings;
  RecordingUserInterface ui;
  settings.Odczyt(kPathBestia, ui);

  if (!ui.messages().isEmpty()) {
    if (ui.messages() != QStringList{kSettingsReadError}) fail("a refused file gives one message", ui.messages().join(u'|'));
    if (const QString changed = difference(settings, before); !changed.isEmpty()) {
      fail("a refused file leaves the values as they were", changed);
    }
    return 0;
  }
  // Qt decodes the bytes of other encodings leniently (a byte that is no character becomes
  // U+FFFD); such a file is taken as read. The document itself must be well-formed.
  if (fuzz::libxml2Verdict(bytes) == fuzz::XmlVerdict::Malformed) {
    fail("a malformed file is refused", shown(bytes));
  }

  // What was read is stored and read back unchanged.
  Settings expected = settings;
  for (const SettingDefinition& definition : settingDefinitions()) {
    if (definition.type == SettingDefinition::Type::Text) expected.*definition.text = storable(expected.*definition.text);
  }
  const QString copy = fuzz::scratchFolder() + QStringLiteral("/Wertalo-copy.xml");
  Settings writer(copy);
  copyValues(settings, writer);
  writer.Zapis(kPathBestia);
  Settings reread(copy);
  RecordingUserInterface quiet;
  reread.Odczyt(kPathBestia, quiet);
  if (!quiet.messages().isEmpty()) fail("stored settings are read again", shown(settings.dirKatalog));
  if (const QString changed = difference(reread, expected); !changed.isEmpty()) {
    fail("stored settings read back unchanged", changed);
  }
  return 0;
}
