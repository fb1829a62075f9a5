// Wertalo: the exception of the package writer (data the package cannot be built from).
#pragma once

#include <QString>

#include <stdexcept>

namespace wertalo::package {

// A package that cannot be built as asked; the message is Polish and says why.
class PackageError : public std::runtime_error {
 public:
  // The whole message.
  explicit PackageError(const QString& message);

  // The message as text.
  const QString& message() const { return message_; }

 private:
  QString message_;
};

}  // namespace wertalo::package
