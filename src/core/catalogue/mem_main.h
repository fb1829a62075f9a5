// Wertalo: the current choice of year, period and unit (the one-row memMain).
#pragma once

#include <QDate>
#include <QString>

namespace wertalo::catalogue {

struct MemMain {
  qint64 ID_JST = 0;
  QString ROK;          // two digits
  QString OKRES;        // month letter "A".."L" or quarter digit
  int OKRES2 = 0;
  QString NAZWA;
  QString TYP;
  QString WK, PK, GK, GT, PT;
  QString REGON;
  QString OkresOkres2;  // OpZam key of the chosen period row
  qint64 ID_JB = 0;

  // "20" followed by ROK.
  QString RokFull() const { return QStringLiteral("20") + ROK; }
  // 31 December of RokFull (invalid when ROK is not a number).
  QDate DATAKONCAOKRESU() const { return QDate(RokFull().toInt(), 12, 31); }
};

}  // namespace wertalo::catalogue
