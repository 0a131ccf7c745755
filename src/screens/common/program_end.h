#pragma once
// The one place where the program ends from inside its windows, for the two
// ends its windows are designed to have: the printer the settings name is
// not installed (the user has been told), and an answer that no waiting
// window can take (a programming error).

namespace screens {

// Leaves Qt's event loop and ends the process at once with `status`: the
// window that calls this cannot go on, and nothing is left unsaved by then.
[[noreturn]] void End_Program(int status);

}  // namespace screens
