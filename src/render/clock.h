#pragma once
// Where the current date and time come from: the system's clock in the
// program, a fixed one in tests. The program's edges (the windows' session, the
// command line) hold it; computations take the moment as a value, or the clock
// when they read it at times of their own (a print run stamps each job it
// records, a new layout is named after the moment it is saved).
#include <QDateTime>

#include <functional>

namespace render {

using Clock = std::function<QDateTime()>;

// The system's local date and time.
Clock System_Clock();

}  // namespace render
