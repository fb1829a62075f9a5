// Packing the files of an export and handing the archive to the product's sending program.
#include "core/operations/session.h"

#include "core/db/data_set.h"
#include "core/platform/paths.h"
#include "core/platform/user_interface.h"
#include "core/sending/packing.h"
#include "core/sending/sending_error.h"

namespace wertalo::operations {

sending::ZipNameParts Session::archiveNameParts() const {
  const catalogue::MemMain& m = dtm_->memMain();
  sending::ZipNameParts parts;
  parts.budgetUnits = dtm_->RodzajEksportu() == catalogue::rJB;
  parts.OKRES = m.OKRES;
  parts.ROK = m.ROK;
  // The budget-unit query of the run stands on the unit last described; an export of the unit
  // itself has no row there, so its REGON part is empty.
  const db::DataSet& units = dtm_->budgetUnitsOfRun();
  if (!units.eof()) {
    parts.REGON = units.text(u"REGON");
    parts.REGON_2 = units.text(u"REGON_2");
  }
  return parts;
}

QString Session::pack(const catalogue::ExportResult& result, bool deletePacked) {
  const QString folder = dtm_->exportFolder();
  if (folder.isEmpty()) throw sending::SendingError(QStringLiteral("Nie ustawiono folderu eksportu w ustawieniach; archiwum nie zostało utworzone."));
  // The packing's message is this operation's error: a front end shows it its own way.
  platform::RecordingUserInterface messages;
  sending::TdtmFtp zip(messages);
  for (const catalogue::WrittenFile& file : result.files) zip.listaPlikow << file.path;
  const QString archive = zip.packExport(folder, archiveNameParts(), deletePacked);
  if (archive.isEmpty()) throw sending::SendingError(messages.messages().join(QLatin1Char('\n')));
  return archive;
}

sending::ExternalSender Session::externalSender() const {
  const catalogue::Installation& installation = dtm_->installation();
  return {platform::nativePath(installation.PathMain), installation.CommunicationSrv, dtm_->RodzajProg() == catalogue::rBudzetJB};
}

std::optional<sending::SenderUser> Session::senderUser(const QString& login) {
  if (login.isEmpty()) return std::nullopt;
  db::DataSet users = sending::readUsers(dtm_->DB());
  return sending::userByLogin(users, login);
}

void Session::checkExternalSending(const QString& login) {
  if (!sending::MozliwaWysylkaOldschoolowa(externalSender().CommunicationSrv))
    throw sending::SendingError(QStringLiteral("Konfiguracja programu (%1) nie wskazuje programu wysyłającego (CommunicationSrv).")
                                    .arg(dtm_->installation().configFile));
  if (!login.isEmpty() && !senderUser(login))
    throw Error(ErrorKind::Input, QStringLiteral("Brak użytkownika o loginie \"%1\" w tabeli użytkowników programu (USER_).").arg(login));
}

sending::ExternalSendResult Session::sendExternal(const QString& archive, const QString& login) {
  return sending::WykonajWysylkaOldschoolowa(externalSender(), archive, senderUser(login));
}

}  // namespace wertalo::operations
