// What a screen reader says for the controls a pupil needs. Names are never drawn, so they add
// nothing to the screen.
#pragma once

#include <string_view>

class QWidget;

namespace accessiblenames {

// Names the controls whose name never changes: the answer boxes and the counters.
void NameFixedControls(const QWidget& window);

// Renames the displays whose name carries their current value (rating, grade, both stopwatches)
// when the control that changed is one they read.
void Refresh(const QWidget& window, std::string_view changedControl);

}  // namespace accessiblenames
