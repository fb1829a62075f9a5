// Wertalo wizard: how the wizard and the core reach the user (Qt dialogs; tests record instead).
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

#include "core/base/error.h"
#include "core/platform/user_interface.h"

namespace wertalo::gui {

// The core's questions and messages, and the few the wizard asks itself.
class Dialogs : public platform::UserInterface {
 public:
  // Shows an error of the core in the error box (its kind as the title, then the message).
  virtual void showError(const Error& error) = 0;
  // Asks for one line of text (an input box with an empty default); nullopt when cancelled.
  virtual std::optional<QString> askText(const QString& title, const QString& prompt) = 0;
  // Asks for a file to open, starting at `initialPath`; nullopt when cancelled.
  virtual std::optional<QString> askOpenFileName(const QString& title, const QString& filter,
                                                 const QString& initialPath) = 0;
};

// The dialogs as Qt shows them, over the window given.
class QtDialogs : public Dialogs {
 public:
  // The window the dialogs are shown over (none: over the active window).
  void setParent(QWidget* parent) { parent_ = parent; }

  void showMessage(const QString& text) override;
  std::optional<QString> askSaveFileName(const platform::SaveFileRequest& request) override;
  bool askYesNo(const QString& question) override;
  void showError(const Error& error) override;
  std::optional<QString> askText(const QString& title, const QString& prompt) override;
  std::optional<QString> askOpenFileName(const QString& title, const QString& filter, const QString& initialPath) override;

 private:
  QWidget* parent() const;
  QPointer<QWidget> parent_;
};

// The error box's title for an error kind ("Błąd bazy danych", ...).
QString errorTitle(ErrorKind kind);

// Runs `step`; an Error it raises is shown through `dialogs` and gives false.
bool guarded(Dialogs& dialogs, const std::function<void()>& step);

}  // namespace wertalo::gui
