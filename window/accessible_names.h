// What a screen reader says for the controls a pupil needs. Names are never drawn, so they add
// nothing to the screen.
#pragma once

#include <string_view>

class QAccessibleEvent;
class QWidget;

namespace accessiblenames {

// Names the controls whose name never changes: the answer boxes and the counters.
void NameFixedControls(const QWidget& window);

// Renames the displays whose name carries their current value (rating, grade, both stopwatches)
// when the control that changed is one they read.
void Refresh(const QWidget& window, std::string_view changedControl);

// Tells a screen reader that the verdict changed, so it is spoken without the pupil looking
// for it.
void AnnounceVerdict(QWidget& verdict);

// Where announcements go: QAccessible::updateAccessibility, which passes them to the platform's
// screen-reader bridge. Without a bridge (a headless test) it drops them, so a test installs its
// own sink to hear them.
using AnnouncementSink = void (*)(QAccessibleEvent* event);
void SetAnnouncementSink(AnnouncementSink sink);

}  // namespace accessiblenames
