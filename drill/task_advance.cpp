#include "drill/drill.h"
#include "drill/history.h"
#include "drill/number_text.h"
#include "drill/whole_numbers.h"

namespace drill {
namespace {

constexpr std::int16_t kHistoryCycle = 144;  // 4 sign patterns x 36 equations each

}  // namespace

void Drill::NextTask() {
  // After the last task a run has room for there is no next task (Next is not shown then).
  if (state.TaskNo < 1 || state.TaskNo >= kTasksPerRun) return;

  window_.SetEnabled("Text4", true);
  window_.SetEnabled("Text5", true);
  window_.SetText("Text5", "");
  window_.SetText("Text4", "");
  window_.SetCaption("Label12", "");
  window_.SetVisible("Command3", false);
  window_.SetVisible("Command1", false);

  state.HistX1[state.TaskNo] = state.X1;
  state.HistX2[state.TaskNo] = state.X2;

  // A new row of the sign table after every fourth task serves the next block of four.
  if ((state.TaskNo - 1) % 4 == 3) state.PermRow = Gener(24);

  state.TaskNo += 1;
  if (state.TaskNo % kHistoryCycle == 0) EmptyHistory(state, state.TaskNo);

  state.TotalSec = static_cast<std::int16_t>(state.TotalSec + state.TaskSec);
  state.TotalMin = SaturatingAdd(state.TotalMin, state.TaskMin + state.TotalSec / 60);
  state.TotalSec = static_cast<std::int16_t>(state.TotalSec % 60);
  window_.SetCaption("Label19", TwoDigitText(state.TotalSec));
  window_.SetCaption("Label21", PlainNumberText(state.TotalMin));

  state.TaskSec = 0;
  state.TaskMin = 0;
  window_.SetVisible("Label15", false);
  window_.SetVisible("Label16", false);
  window_.SetCaption("Label14", "00");

  window_.SetEnabled("Timer1", true);
  NewTask();
}

void Drill::TickSecond() {
  state.TaskSec += 1;
  if (state.TaskSec >= 60) {
    state.TaskSec = 0;
    if (state.TaskMin == 0) {
      window_.SetVisible("Label15", true);
      window_.SetVisible("Label16", true);
    }
    state.TaskMin += 1;
    if (state.TaskMin >= 60) {
      state.TaskMin = 0;
      window_.SetVisible("Label15", false);
      window_.SetVisible("Label16", false);
    }
    window_.SetCaption("Label16", PlainNumberText(state.TaskMin));
  }
  window_.SetCaption("Label14", TwoDigitText(state.TaskSec));
}

}  // namespace drill
