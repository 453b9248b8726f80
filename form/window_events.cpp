#include "form/window_events.h"

namespace form {

void StartRun(drill::WindowPort& window, drill::Drill& drill) {
  window.SetEnabled("Text4", true);
  window.SetEnabled("Text5", true);
  window.SetText("Text5", "");
  window.SetText("Text4", "");
  window.SetEnabled("Timer1", true);
  drill.NewTask();
  window.SetVisible("Command2", false);
}

void ShowCheckRule(drill::WindowPort& window) {
  if (!window.GetText("Text4").empty() && !window.GetText("Text5").empty()) {
    window.SetVisible("Command1", true);
  }
}

}  // namespace form
