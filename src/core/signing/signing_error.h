// Wertalo: the exception of signing and signature checking.
#pragma once

#include <QString>

#include <stdexcept>

namespace wertalo::signing {

// A text that cannot be signed, a key or certificate that cannot be read, or a file that is not
// a well-formed package; the message is Polish and carries the underlying library's text.
class SigningError : public std::runtime_error {
 public:
  // The whole message.
  explicit SigningError(const QString& message);

  // The message as text.
  const QString& message() const { return message_; }

 private:
  QString message_;
};

}  // namespace wertalo::signing
