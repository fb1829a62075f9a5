#include "core/text/period.h"

namespace wertalo::text {

namespace {

// Month within the quarter for a period-table sub-period; 0 when it names no month.
int monthInQuarter(int okres2) {
  switch (okres2) {
    case -200:
      return 1;
    case -100:
      return 2;
    case -50:
      return 3;
    default:
      return 0;
  }
}

// The month letter is the month number (January = 1) increased by 64.
constexpr int kMonthLetterBase = 64;

}  // namespace

QString OkresDToOkres(const QString& sOkres, int iOkres2) {
  if (sOkres.isEmpty()) return QString();
  const QChar quarter = sOkres.front();
  const int month = monthInQuarter(iOkres2);
  if (quarter < QLatin1Char('1') || quarter > QLatin1Char('4') || month == 0) return sOkres;
  const int quarterIndex = quarter.unicode() - u'1';
  return QString(QChar(kMonthLetterBase + quarterIndex * 3 + month));
}

int Okres2DToOkres2(const QString& /*Okres*/, int /*Okres2*/) { return 0; }

QString OkresToOkresBestia(const QString& Okres) {
  if (Okres.isEmpty()) return QString();
  const int code = Okres.front().unicode();
  if (code >= kMonthLetterBase + 1) return QString::number(code - kMonthLetterBase);
  return Okres;
}

}  // namespace wertalo::text
