// Wertalo: the one error type of the core; front ends catch it in one place.
#pragma once

#include <QString>

#include <stdexcept>

namespace wertalo {

// What went wrong, for a front end that answers differently (exit code, dialog).
enum class ErrorKind {
  Installation,  // the product's installation cannot be found or read
  Database,      // a statement or the connection failed
  File,          // a file or folder could not be read or written
  Input,         // a choice or argument that cannot be used
  Package,       // data a package cannot be built from
  Sending,       // packing, the FTP transfer or the external sender failed
  Signature,     // a signature cannot be made, or a file cannot be checked for signatures
};

// An error with a Polish message for the user; the underlying text (the engine's, the
// system's) follows on its own line where there is one.
class Error : public std::runtime_error {
 public:
  Error(ErrorKind kind, const QString& message);

  ErrorKind kind() const { return kind_; }
  // The whole message.
  const QString& message() const { return message_; }

 private:
  ErrorKind kind_;
  QString message_;
};

}  // namespace wertalo
