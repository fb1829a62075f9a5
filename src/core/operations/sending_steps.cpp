// After an export: packing the files written and handing the archive to the product's sending
// program.
#include "core/operations/session.h"

#include "core/platform/paths.h"
#include "core/sending/packing.h"

namespace wertalo::operations {

QString Session::pack(const catalogue::ExportResult& result, bool deletePacked) {
  zip_->listaPlikow.clear();
  for (const catalogue::WrittenFile& file : result.files) zip_->listaPlikow << file.path;
  const catalogue::MemMain& unit = dtm_->memMain();
  sending::ZipNameParts parts;
  parts.budgetUnits = dtm_->RodzajEksportu() == catalogue::rJB;
  parts.OKRES = unit.OKRES;
  parts.ROK = unit.ROK;
  // The budget unit the run was at last; an export of the unit itself has none.
  const db::DataSet& units = dtm_->budgetUnitsOfRun();
  if (!units.eof()) {
    parts.REGON = units.text(u"REGON");
    parts.REGON_2 = units.text(u"REGON_2");
  }
  return zip_->packExport(dtm_->exportFolder(), parts, deletePacked);
}

bool Session::externalSendingPossible() const {
  return sending::MozliwaWysylkaOldschoolowa(installation().CommunicationSrv);
}

std::optional<sending::SenderUser> Session::senderUser(const QString& login) {
  if (login.isEmpty()) return std::nullopt;
  db::DataSet users = sending::readUsers(dtm_->DB());
  return sending::userByLogin(users, login);
}

std::optional<sending::SenderUser> Session::logIn(const QString& login, const QString& password) {
  if (login.isEmpty()) return std::nullopt;
  db::DataSet users = sending::readUsers(dtm_->DB());
  return sending::Zaloguj(users, login, password);
}

QStringList Session::externalPreview(const QString& archive, const std::optional<sending::SenderUser>& user) const {
  return sending::ZapiszOpisWysylkaOlschoolowa(product() == catalogue::rBudzetJB, archive, user);
}

sending::ExternalSendResult Session::sendExternal(const QString& archive, const std::optional<sending::SenderUser>& user) {
  const sending::ExternalSender sender{platform::nativePath(installation().PathMain), installation().CommunicationSrv,
                                       product() == catalogue::rBudzetJB};
  return sending::WykonajWysylkaOldschoolowa(sender, archive, user);
}

sending::ExternalSendResult Session::sendExternal(const QString& archive, const QString& login) {
  return sendExternal(archive, senderUser(login));
}

}  // namespace wertalo::operations
