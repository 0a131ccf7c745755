#pragma once
// Where the current date and time come from. Computations take the moment as a
// value; only the program's edges (the session of the windows, the command
// line) hold a clock, the system's in the program and a fixed one in tests.
#include <QDateTime>

#include <functional>

namespace render {

using Clock = std::function<QDateTime()>;

// The system's local date and time.
Clock System_Clock();

}  // namespace render
