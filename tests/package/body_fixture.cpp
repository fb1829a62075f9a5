#include "body_fixture.h"

#include <gtest/gtest.h>

#include "core/db/schema.h"
#include "core/package/registry.h"
#include "core/package/xml_writer.h"
#include "support/xml_check.h"

namespace wertalo::test {

BodyFixture::BodyFixture(const db::ConnectionSettings* settings) : db_(std::make_unique<db::Connection>()) {
  db::ConnectionSettings memory;
  memory.sqliteFile = QStringLiteral(":memory:");
  db_->open(settings != nullptr ? *settings : memory);
  db::applySchema(*db_);
}

BodyFixture::~BodyFixture() = default;

void BodyFixture::exec(const QString& script) { db_->executeScript(script); }

std::string BodyFixture::build(const catalogue::SelectRow& row, catalogue::TRodzajEksportu kind, package::TRodzajZad task,
                               QString* id, package::BodyReads* reads) {
  const package::ReportFamily* family = package::ReportRegistry::instance().bySymbol(row.sTypSprBestia);
  EXPECT_NE(family, nullptr) << row.sTypSprBestia.toStdString();
  if (family == nullptr) return std::string();
  const package::ReportContext report(*db_, kind, row, true, reads);
  const QByteArray bytes = package::writeXmlFragment(package::buildBody(family->body, row.sTypSprBestia, report, task, id), 0);
  EXPECT_TRUE(isWellFormedXml("<fragment>" + bytes + "</fragment>")) << bytes.toStdString();
  return bytes.toStdString();
}

std::string pozycja(int level, const Fields& fields) {
  const std::string pad(static_cast<size_t>(level) * 2, ' ');
  std::string out = pad + "<Pozycja>\r\n";
  for (const auto& [name, value] : fields) out += pad + "  <" + name + ">" + value + "</" + name + ">\r\n";
  return out + pad + "</Pozycja>\r\n";
}

std::string section(const char* element, const std::vector<Fields>& positions) {
  if (positions.empty()) return std::string("  <") + element + "/>\r\n";
  std::string out = std::string("  <") + element + ">\r\n";
  for (const Fields& fields : positions) out += pozycja(2, fields);
  return out + "  </" + element + ">\r\n";
}

}  // namespace wertalo::test
