// The window's handlers that do the same in every toolkit: they speak to the window only through
// the engine's window port, by control name.
#pragma once

#include "drill/drill.h"

namespace form {

// The Start button: the answer boxes open empty, the stopwatch runs, the first equation is drawn,
// and Start is gone for good, so a run has exactly one start.
void StartRun(drill::WindowPort& window, drill::Drill& drill);

// Either answer box changed: Check shows once both boxes hold text. Nothing is hidden here; a box
// emptied after Check appeared leaves Check on screen.
void ShowCheckRule(drill::WindowPort& window);

}  // namespace form
