// The sender page's steps beyond the command line's: logging a user in, the descriptor's
// preview, handing an archive over for a user already found.
#include "core/operations/session.h"

#include "core/db/data_set.h"

namespace wertalo::operations {

std::optional<sending::SenderUser> Session::logIn(const QString& login, const QString& password) {
  if (login.isEmpty()) return std::nullopt;
  db::DataSet users = sending::readUsers(dtm_->DB());
  return sending::Zaloguj(users, login, password);
}

QStringList Session::externalPreview(const QString& archive, const std::optional<sending::SenderUser>& user) const {
  return sending::ZapiszOpisWysylkaOlschoolowa(product() == catalogue::rBudzetJB, archive, user);
}

sending::ExternalSendResult Session::sendExternalAs(const QString& archive, const std::optional<sending::SenderUser>& user) {
  return sending::WykonajWysylkaOldschoolowa(externalSender(), archive, user);
}

}  // namespace wertalo::operations
