// Wizard tests: dialogs that answer from preset answers and remember what they showed.
#pragma once

#include <deque>

#include "core/platform/user_interface.h"
#include "gui/dialogs.h"

namespace wertalo::test {

class RecordingDialogs : public gui::Dialogs {
 public:
  // The core's messages and questions (save, yes/no) go here.
  platform::RecordingUserInterface core;
  // Errors shown in the error box, in order.
  QStringList errors;
  // Answers to the next input boxes and open-file questions (nullopt: cancel; none queued: cancel).
  std::deque<std::optional<QString>> textAnswers;
  std::deque<std::optional<QString>> openAnswers;

  void showMessage(const QString& text) override { core.showMessage(text); }
  std::optional<QString> askSaveFileName(const platform::SaveFileRequest& request) override {
    return core.askSaveFileName(request);
  }
  bool askYesNo(const QString& question) override { return core.askYesNo(question); }
  void showError(const Error& error) override { errors << error.message(); }
  std::optional<QString> askText(const QString&, const QString&) override { return next(textAnswers); }
  std::optional<QString> askOpenFileName(const QString&, const QString&, const QString&) override {
    return next(openAnswers);
  }

 private:
  static std::optional<QString> next(std::deque<std::optional<QString>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<QString> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace wertalo::test
