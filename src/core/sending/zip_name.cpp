#include "core/sending/zip_name.h"

#include <QUuid>

namespace wertalo::sending {

QString newGuidText() { return QUuid::createUuid().toString(QUuid::WithBraces).toUpper(); }

QString NazwaPlikuZip(const ZipNameParts& parts, const std::function<QString()>& guid) {
  QString nazwaS;
  if (parts.Nazwa_S) nazwaS = *parts.Nazwa_S ? QStringLiteral("True") : QStringLiteral("False");
  QString name = (parts.budgetUnits ? QStringLiteral("jb__") : QStringLiteral("jst_")) + parts.OKRES + u'_' +
                 parts.ROK + u'_' + parts.REGON + parts.REGON_2 + u'_' + nazwaS + guid() +
                 QStringLiteral(".zip");
  name.replace(u'/', u'_');
  name.remove(QChar(u'\0'));
  return name;
}

}  // namespace wertalo::sending
