#include "core/platform/user_interface.h"

#include "core/platform/paths.h"

namespace wertalo::platform {

void RecordingUserInterface::showMessage(const QString& text) { messages_.append(text); }

std::optional<QString> RecordingUserInterface::askSaveFileName(const SaveFileRequest& request) {
  saveRequests_.append(request);
  if (!saveAnswers_.empty()) {
    std::optional<QString> answer = saveAnswers_.front();
    saveAnswers_.pop_front();
    return answer;
  }
  if (acceptProposed_) return proposedSavePath(request);
  return std::nullopt;
}

bool RecordingUserInterface::askYesNo(const QString& question) {
  questions_.append(question);
  if (!yesNoAnswers_.empty()) {
    const bool answer = yesNoAnswers_.front();
    yesNoAnswers_.pop_front();
    return answer;
  }
  return defaultYesNo_;
}

void RecordingUserInterface::queueSaveAnswer(std::optional<QString> answer) {
  saveAnswers_.push_back(std::move(answer));
}

void RecordingUserInterface::queueYesNoAnswer(bool answer) { yesNoAnswers_.push_back(answer); }

QString proposedSavePath(const SaveFileRequest& request) {
  QString name = request.proposedName;
  const qsizetype slash = name.lastIndexOf(u'/');
  if (!request.defaultExtension.isEmpty() && !name.isEmpty() && name.indexOf(u'.', slash + 1) < 0) {
    name += u'.' + request.defaultExtension;
  }
  return joinPath(request.initialFolder, name);
}

}  // namespace wertalo::platform
