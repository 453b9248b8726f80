#include <optional>

#include "drill/drill.h"
#include "drill/grading.h"
#include "drill/number_text.h"
#include "drill/whole_numbers.h"

namespace drill {
namespace {

// A typed answer equals a root only if it holds a number and that number is the root.
bool isRoot(const std::optional<double>& typed, std::int16_t root) {
  return typed.has_value() && *typed == root;
}

}  // namespace

void Drill::CheckAnswer() {
  const std::optional<double> a = ReadLeadingNumber(window_.GetText("Text4"));
  const std::optional<double> b = ReadLeadingNumber(window_.GetText("Text5"));
  const bool correct =
      (isRoot(a, state.X1) && isRoot(b, state.X2)) || (isRoot(a, state.X2) && isRoot(b, state.X1));
  // The scores and the history have room for kTasksPerRun tasks; a task past them (only a
  // state set up from outside can be there) is judged but not recorded.
  const bool recordable = state.TaskNo >= 1 && state.TaskNo <= kTasksPerRun;

  if (correct) {
    window_.SetCaption("Label12", kCorrect);
    // The last task a run has room for completes it: there is no next one to go on to.
    if (state.TaskNo < kTasksPerRun) window_.SetVisible("Command3", true);
    window_.SetEnabled("Text4", false);
    window_.SetEnabled("Text5", false);
    if (state.Attempts == 1) state.FirstTryCount += 1;
    if (recordable) {
      state.Scores[state.TaskNo] = ScoreForAttempts(state.Attempts);
      state.ScoreSum += state.Scores[state.TaskNo];
      state.Rating = RatingFor(state.ScoreSum, state.TaskNo);
    }
    if (state.TaskNo > 5) {
      window_.SetCaption("Label6", DecimalText(state.Rating, decimalSeparator_));
      state.Grade = GradeFor(state.Rating);
      window_.SetCaption("Label4", PlainNumberText(state.Grade));
    }
    window_.SetText("Text2", PlainNumberText(state.FirstTryCount));
    window_.SetText("Text1", PlainNumberText(state.TaskNo));
    state.Attempts = 1;
    window_.SetEnabled("Timer1", false);
  } else {
    state.Attempts = SaturatingAdd(state.Attempts, 1);
    state.WrongCount = SaturatingAdd(state.WrongCount, 1);
    window_.SetCaption("Label12", kIncorrect);
    window_.SetText("Text3", PlainNumberText(state.WrongCount));
    window_.SetVisible("Command3", false);
    window_.SetText("Text5", "");
    window_.SetText("Text4", "");
  }
  window_.SetVisible("Command1", false);
}

}  // namespace drill
