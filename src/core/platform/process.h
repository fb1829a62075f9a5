// Wertalo: starting other programs.
#pragma once

#include <QString>

namespace wertalo::platform {

// Starts the program as a detached process with exactly one argument; false when it could not start.
bool startDetached(const QString& program, const QString& argument);

}  // namespace wertalo::platform
