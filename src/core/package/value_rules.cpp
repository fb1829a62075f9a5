#include "core/package/value_rules.h"

#include "core/db/data_set.h"
#include "core/text/amount.h"

namespace wertalo::package {

void XMLWstawPoleDoBestia(XmlNodeList& xParentNode, const QString& sPoleTagName, const QString& sValueText) {
  xParentNode.appendTextElement(sPoleTagName, sValueText);
}

void XMLWstawZnacznik(XmlNodeList& xParentNode, const QString& sPoleTagName) { xParentNode.appendElement(sPoleTagName); }

void XMLWstawFloat(XmlNodeList& xParentNode, const QString& sPoleTagName, double value) {
  xParentNode.appendTextElement(sPoleTagName, text::amountText(value));
}

void XMLWstawFloat(XmlNodeList& xParentNode, const QString& sPoleTagName, std::optional<text::Currency> value) {
  xParentNode.appendTextElement(sPoleTagName, text::amountText(value));
}

void WstawPozycjeDoBestia(XmlNodeList& xParentNode, const QString& sPole, TTypPola sTypPola, const QVariant& Wartosc) {
  switch (sTypPola) {
    case tString:
    case tMemo:
      if (!Wartosc.isNull()) XMLWstawPoleDoBestia(xParentNode, sPole, db::DataSet::textOf(Wartosc));
      break;
    case tFloat:
      XMLWstawFloat(xParentNode, sPole, db::DataSet::currencyOf(Wartosc));
      break;
    case tInteger:
    case tDate:
      break;
  }
}

}  // namespace wertalo::package
