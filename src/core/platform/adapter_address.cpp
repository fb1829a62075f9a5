#include "core/platform/adapter_address.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace wertalo::platform {

namespace {

constexpr int kAddressBytes = 6;

// "aa:bb:cc:dd:ee:ff" as "AABBCCDDEEFF"; empty for anything else and for the all-zero address.
QString addressText(const QByteArray& sysfsText) {
  const QList<QByteArray> parts = sysfsText.trimmed().split(':');
  if (parts.size() != kAddressBytes) return QString();
  QString text;
  bool allZero = true;
  for (const QByteArray& part : parts) {
    bool ok = false;
    const uint value = part.toUInt(&ok, 16);
    if (!ok || part.size() != 2 || value > 0xFF) return QString();
    allZero = allZero && value == 0;
    text += QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
  }
  return allZero ? QString() : text;
}

}  // namespace

QString MACAddress() { return MACAddress(QStringLiteral("/sys/class/net")); }

QString MACAddress(const QString& interfacesFolder) {
  QStringList names = QDir(interfacesFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  std::sort(names.begin(), names.end());
  for (const QString& name : names) {
    if (name == QStringLiteral("lo")) continue;
    QFile file(interfacesFolder + u'/' + name + QStringLiteral("/address"));
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QString text = addressText(file.readAll());
    if (!text.isEmpty()) return text;
  }
  return QString();
}

}  // namespace wertalo::platform
