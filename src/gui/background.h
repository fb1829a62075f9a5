// Wertalo wizard: blocking work off the window's thread.
#pragma once

#include <functional>

namespace wertalo::gui {

// Runs `work` on a thread of its own while this thread's event loop goes on (the window
// repaints and takes clicks); returns when the work has ended and raises again what it raised.
// The caller keeps the controls that must not be used meanwhile disabled. The work must not touch
// widgets, nor a database connection of this thread.
void runInBackground(const std::function<void()>& work);

}  // namespace wertalo::gui
