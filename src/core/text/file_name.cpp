#include "core/text/file_name.h"

#include <QByteArray>

#include <algorithm>
#include <array>

#include "core/text/cp1250.h"

namespace wertalo::text {

namespace {

// Bytes a file name cannot hold.
constexpr std::array<unsigned char, 12> kForbidden = {'!', '"', '\'', '*', '/', ':', '<', '>', '?', '@', '\\', '|'};

// A Polish letter of Windows-1250, capital and small, and the plain letter it becomes.
struct Plain {
  unsigned char upper;
  unsigned char lower;
  char letter;
};

constexpr std::array<Plain, 9> kPolish = {{
    {140, 156, 'S'},  // Ś ś
    {143, 159, 'Z'},  // Ź ź
    {175, 191, 'Z'},  // Ż ż
    {163, 179, 'L'},  // Ł ł
    {165, 185, 'A'},  // Ą ą
    {198, 230, 'C'},  // Ć ć
    {202, 234, 'E'},  // Ę ę
    {209, 241, 'N'},  // Ń ń
    {211, 243, 'O'},  // Ó ó
}};

// One byte of the name: "_", a plain letter, or the byte itself.
char mapByte(char byte) {
  const auto b = static_cast<unsigned char>(byte);
  if (std::find(kForbidden.begin(), kForbidden.end(), b) != kForbidden.end()) return '_';
  for (const Plain& p : kPolish) {
    if (b == p.upper) return p.letter;
    if (b == p.lower) return static_cast<char>(p.letter - 'A' + 'a');
  }
  return byte;
}

}  // namespace

QString TextToFileName(const QString& Text, int MaxLength) {
  const QByteArray bytes = toCp1250(Text);
  const qsizetype n = std::min<qsizetype>(bytes.size(), MaxLength);
  if (n <= 0) return QString();
  QByteArray mapped(n, Qt::Uninitialized);
  std::transform(bytes.cbegin(), bytes.cbegin() + n, mapped.begin(), mapByte);
  return fromCp1250(mapped);
}

}  // namespace wertalo::text
