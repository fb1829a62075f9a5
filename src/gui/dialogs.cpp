#include "gui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace wertalo::gui {

namespace {

const QString kCaption = QStringLiteral("Eksport danych");

}  // namespace

QString errorTitle(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::Installation: return QStringLiteral("Błąd instalacji");
    case ErrorKind::Database: return QStringLiteral("Błąd bazy danych");
    case ErrorKind::File: return QStringLiteral("Błąd pliku");
    case ErrorKind::Input: return QStringLiteral("Niepoprawne dane");
    case ErrorKind::Package: return QStringLiteral("Błąd eksportu");
    case ErrorKind::Sending: return QStringLiteral("Błąd wysyłki");
    case ErrorKind::Signature: return QStringLiteral("Błąd podpisu");
  }
  return QStringLiteral("Błąd");
}

bool guarded(Dialogs& dialogs, const std::function<void()>& step) {
  try {
    step();
    return true;
  } catch (const Error& error) {
    dialogs.showError(error);
    return false;
  }
}

QWidget* QtDialogs::parent() const { return parent_ ? parent_.data() : QApplication::activeWindow(); }

void QtDialogs::showMessage(const QString& text) { QMessageBox::information(parent(), kCaption, text); }

std::optional<QString> QtDialogs::askSaveFileName(const platform::SaveFileRequest& request) {
  QFileDialog dialog(parent(), request.title, request.initialFolder, request.filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(request.defaultExtension);
  dialog.selectFile(platform::proposedSavePath(request));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

bool QtDialogs::askYesNo(const QString& question) {
  return QMessageBox::question(parent(), kCaption, question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtDialogs::showError(const Error& error) { QMessageBox::critical(parent(), errorTitle(error.kind()), error.message()); }

std::optional<QString> QtDialogs::askText(const QString& title, const QString& prompt) {
  bool ok = false;
  const QString text = QInputDialog::getText(parent(), title, prompt, QLineEdit::Normal, QString(), &ok);
  if (!ok || text.isEmpty()) return std::nullopt;
  return text;
}

std::optional<QString> QtDialogs::askOpenFileName(const QString& title, const QString& filter, const QString& initialPath) {
  const QString path = QFileDialog::getOpenFileName(parent(), title, initialPath, filter);
  if (path.isEmpty()) return std::nullopt;
  return path;
}

}  // namespace wertalo::gui
