// Wertalo: the exception of packing and of the external sender.
#pragma once

#include <QString>

#include <stdexcept>

namespace wertalo::sending {

// A packing or sending step that failed; the message is Polish and carries the underlying text.
class SendingError : public std::runtime_error {
 public:
  explicit SendingError(const QString& message);

  // The whole message for the user.
  const QString& message() const { return message_; }

 private:
  QString message_;
};

}  // namespace wertalo::sending
