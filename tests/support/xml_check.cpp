#include "support/xml_check.h"

#include <QXmlStreamReader>

namespace wertalo::test {

::testing::AssertionResult isWellFormedXml(const QByteArray& bytes) {
  QXmlStreamReader reader(bytes);
  bool sawRoot = false;
  while (!reader.atEnd()) {
    if (reader.readNext() == QXmlStreamReader::StartElement) sawRoot = true;
  }
  if (reader.hasError()) {
    return ::testing::AssertionFailure() << "not well-formed XML at line " << reader.lineNumber() << ", column "
                                         << reader.columnNumber() << ": " << reader.errorString().toStdString();
  }
  if (!sawRoot) return ::testing::AssertionFailure() << "XML without a root element";
  return ::testing::AssertionSuccess();
}

}  // namespace wertalo::test
