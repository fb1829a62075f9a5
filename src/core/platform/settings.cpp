#include "core/platform/settings.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <array>
#include <optional>

#include "core/platform/file_write.h"
#include "core/platform/paths.h"
#include "core/platform/platform_error.h"
#include "core/platform/xml_strict.h"

namespace wertalo::platform {

namespace {

const QString kRoot = QStringLiteral("Wertalo");
const QString kPath = QStringLiteral("USTAWIENIA");

const std::array<SettingDefinition, 11> kDefinitions = {{
    {"dirKatalog.Text", &Settings::dirKatalog, ""},
    {"edtSpecSymbl.Text", &Settings::edtSpecSymbl, "500"},
    {"chkDodajSpacje.Checked", &Settings::chkDodajSpacje, true},
    {"chkEksportujZatw.Checked", &Settings::chkEksportujZatw, true},
    {"cbSpakuj.Checked", &Settings::cbSpakuj, true},
    {"cbStandardowe.Checked", &Settings::cbStandardowe, false},
    {"cbWsylijPopolaczeniu.Checked", &Settings::cbWsylijPopolaczeniu, true},
    {"cbPolaczZserweremFTP.Checked", &Settings::cbPolaczZserweremFTP, true},
    {"cbInterfejsftp.Checked", &Settings::cbInterfejsftp, false},
    {"cbUsun.Checked", &Settings::cbUsun, false},
    {"cbGrupoweJst.Checked", &Settings::cbGrupoweJst, true},
}};

// A stored Boolean word: true, false, or nullopt for any other text.
std::optional<bool> booleanWord(const QString& text) {
  const QString word = text.trimmed().toUpper();
  if (word == u"TRUE" || word == u"YES" || word == u"Y") return true;
  if (word == u"FALSE" || word == u"NO" || word == u"N") return false;
  return std::nullopt;
}

// Text as XML 1.0 allows it: control characters other than tab, LF and CR, U+FFFE, U+FFFF and
// lone surrogate halves (a text read from a file in another encoding may hold one) are dropped.
QString xmlText(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      out += c;
      out += text[++i];
      continue;
    }
    if (c.isSurrogate()) continue;
    if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') continue;
    if (c.unicode() == 0xFFFE || c.unicode() == 0xFFFF) continue;
    out += c;
  }
  return out;
}

void applyEntry(Settings& settings, const QString& name, const QString& text) {
  for (const SettingDefinition& definition : kDefinitions) {
    if (settingEntryName(QString::fromLatin1(definition.key)) != name) continue;
    if (definition.type == SettingDefinition::Type::Text) {
      settings.*definition.text = text;
    } else if (const std::optional<bool> value = booleanWord(text)) {
      settings.*definition.flag = *value;
    }
  }
}

// Reads the stored values over the defaults; false when the document is not a settings file.
bool parseSettings(const QByteArray& bytes, Settings& settings) {
  if (!isStrictlyWellFormed(bytes)) return false;
  QXmlStreamReader reader(bytes);
  if (!reader.readNextStartElement() || reader.name() != kRoot) return false;
  while (reader.readNextStartElement()) {
    if (reader.name() != kPath) {
      reader.skipCurrentElement();
      continue;
    }
    while (reader.readNextStartElement()) {
      const QString name = reader.name().toString();
      const QString text = reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
      if (reader.hasError()) return false;
      applyEntry(settings, name, text);
    }
  }
  while (!reader.atEnd()) reader.readNext();
  return !reader.hasError();
}

QByteArray settingsDocument(const Settings& settings) {
  QByteArray bytes;
  QXmlStreamWriter writer(&bytes);
  writer.setAutoFormatting(true);
  writer.setAutoFormattingIndent(2);
  writer.writeStartDocument();
  writer.writeStartElement(kRoot);
  writer.writeStartElement(kPath);
  for (const SettingDefinition& definition : kDefinitions) {
    const QString value = definition.type == SettingDefinition::Type::Text
                              ? xmlText(settings.*definition.text)
                              : QString::fromLatin1(settings.*definition.flag ? "TRUE" : "FALSE");
    writer.writeTextElement(settingEntryName(QString::fromLatin1(definition.key)), value);
  }
  writer.writeEndDocument();
  return bytes;
}

bool isNameStart(QChar c) { return c.isLetter() || c == u'_'; }

bool isNameChar(QChar c) {
  return isNameStart(c) || c.isDigit() || c == u'.' || c == u'-' || c.category() == QChar::Mark_NonSpacing ||
         c.category() == QChar::Mark_SpacingCombining;
}

}  // namespace

SettingDefinition::SettingDefinition(const char* key, QString Settings::*field, const char* def)
    : key(key), type(Type::Text), text(field), textDefault(def) {}

SettingDefinition::SettingDefinition(const char* key, bool Settings::*field, bool def)
    : key(key), type(Type::Boolean), flag(field), flagDefault(def) {}

std::span<const SettingDefinition> settingDefinitions() { return kDefinitions; }

QString settingsFilePath() { return joinPath(configDir(), QStringLiteral("Wertalo.xml")); }

QString settingEntryName(const QString& key) {
  QString name = key;
  for (qsizetype i = 0; i < name.size(); ++i) {
    if (i == 0 ? !isNameStart(name[i]) : !isNameChar(name[i])) name[i] = u'_';
  }
  return name;
}

Settings::Settings() : Settings(settingsFilePath()) {}

Settings::Settings(const QString& file) : file_(file) { setDefaults(); }

void Settings::setDefaults() {
  for (const SettingDefinition& definition : kDefinitions) {
    if (definition.type == SettingDefinition::Type::Text) {
      this->*definition.text = QString::fromUtf8(definition.textDefault);
    } else {
      this->*definition.flag = definition.flagDefault;
    }
  }
}

void Settings::Odczyt(const QString& pathBestia, UserInterface& ui) {
  QFile file(file_);
  // Without a stored file the values stay as they are (the defaults, until changed in this run).
  if (file.exists()) {
    Settings stored(file_);
    const bool read = file.open(QIODevice::ReadOnly);
    const QByteArray bytes = read ? file.readAll() : QByteArray();
    if (read && file.error() == QFileDevice::NoError && parseSettings(bytes, stored)) {
      *this = stored;
    } else {
      ui.showMessage(kSettingsReadError);
    }
  }
  if (dirKatalog.isEmpty()) dirKatalog = pathBestia;
}

void Settings::Zapis(const QString& pathBestia) {
  if (dirKatalog.isEmpty()) dirKatalog = pathBestia;
  const QString folder = QFileInfo(file_).path();
  QString error;
  if (!ensureFolder(folder, &error)) {
    throw PlatformError(QStringLiteral("Nie można utworzyć folderu"), folder, error);
  }
  writeFileWhole(file_, settingsDocument(*this));
}

}  // namespace wertalo::platform
