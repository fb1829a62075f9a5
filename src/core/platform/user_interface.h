// Wertalo: how the core reaches the user (the GUI answers with dialogs, the CLI with the terminal).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

namespace wertalo::platform {

// A question for a file name to save into.
struct SaveFileRequest {
  QString title;             // the dialog's title
  QString initialFolder;     // folder shown first
  QString proposedName;      // file name offered
  QString filter;            // e.g. "Pliki XML (*.xml)"
  QString defaultExtension;  // added when the chosen name has none, without the dot ("xml")
};

// The user, as the core sees them.
class UserInterface {
 public:
  virtual ~UserInterface() = default;
  // Shows a message and returns when the user has seen it.
  virtual void showMessage(const QString& text) = 0;
  // Asks where to save; the chosen full path, or nullopt when the user cancelled.
  virtual std::optional<QString> askSaveFileName(const SaveFileRequest& request) = 0;
  // Asks a yes/no question; true for yes.
  virtual bool askYesNo(const QString& question) = 0;
};

// A user that answers from preset answers and remembers what it was told and asked (tests,
// unattended runs).
class RecordingUserInterface : public UserInterface {
 public:
  void showMessage(const QString& text) override;
  std::optional<QString> askSaveFileName(const SaveFileRequest& request) override;
  bool askYesNo(const QString& question) override;

  // The next save question gets this answer (queued in order; nullopt means cancel).
  void queueSaveAnswer(std::optional<QString> answer);
  // With no queued answer: accept the proposed name in the initial folder (true) or cancel (false, the default).
  void setAcceptProposedNames(bool accept) { acceptProposed_ = accept; }
  // The next yes/no question gets this answer (queued in order).
  void queueYesNoAnswer(bool answer);
  // The answer to a yes/no question when none is queued (false unless set).
  void setDefaultYesNo(bool answer) { defaultYesNo_ = answer; }

  // Messages shown, in order.
  const QStringList& messages() const { return messages_; }
  // Save questions asked, in order.
  const QList<SaveFileRequest>& saveRequests() const { return saveRequests_; }
  // Yes/no questions asked, in order.
  const QStringList& questions() const { return questions_; }

 private:
  QStringList messages_;
  QList<SaveFileRequest> saveRequests_;
  QStringList questions_;
  std::deque<std::optional<QString>> saveAnswers_;
  std::deque<bool> yesNoAnswers_;
  bool acceptProposed_ = false;
  bool defaultYesNo_ = false;
};

// The proposed name in the initial folder, with the default extension added when it has none.
QString proposedSavePath(const SaveFileRequest& request);

}  // namespace wertalo::platform
