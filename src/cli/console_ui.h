// Wertalo command line: the user as the terminal sees them.
#pragma once

#include <optional>

#include "core/base/error.h"
#include "core/platform/user_interface.h"

namespace wertalo::cli {

// Messages go to standard error; a save question is answered with the file chosen on the
// command line, or the proposed name in the proposed folder; yes/no questions are answered no.
class ConsoleUserInterface : public platform::UserInterface {
 public:
  void showMessage(const QString& text) override;
  std::optional<QString> askSaveFileName(const platform::SaveFileRequest& request) override;
  bool askYesNo(const QString& question) override;

  // The answer to the next save questions (--single-file).
  void setSaveAnswer(const QString& path) { saveAnswer_ = path; }

 private:
  std::optional<QString> saveAnswer_;
};

// The text an error is shown with: a lead by its kind ("Błąd bazy danych: ..."), then its
// message, made safe for the terminal.
QString errorText(const Error& error);

// Text from the database or the system made safe to show on a terminal: every control
// character (C0, DEL, C1) and every bidirectional override becomes U+FFFD, one character for
// one, so that columns stay aligned and no escape sequence reaches the terminal. Line breaks
// ("\n", and "\r\n" as "\n") are kept when `keepLineBreaks`.
QString terminalText(const QString& text, bool keepLineBreaks = true);

// Writes UTF-8 text to standard output / standard error.
void out(const QString& text);
void err(const QString& text);

}  // namespace wertalo::cli
