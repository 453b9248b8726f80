#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "drill_run.h"

namespace {

// A run on its first task with the given roots, the pupil about to press Check.
struct OnTask : DrillRun {
  OnTask(int x1, int x2) {
    Load(1);
    Start();
    state.X1 = static_cast<std::int16_t>(x1);
    state.X2 = static_cast<std::int16_t>(x2);
    window.ClearCalls();
  }
};

TEST(CheckAnswer, AcceptsTheRootsInEitherOrderComparingNumbers) {
  struct Case {
    const char* name;
    int x1, x2;
    const char* first;
    const char* second;
    bool correct;
  };
  const Case cases[] = {
      {"in order", 2, 7, "2", "7", true},
      {"swapped", 2, 7, "7", "2", true},
      {"one root twice", 2, 7, "2", "2", false},
      {"numbers not texts", 2, 7, "07", "2.0", true},
      {"blanks and plus", 2, 7, " +7", "2 ", true},
      {"negative root", -3, 5, "-3", "5", true},
      {"negative root swapped, typographic minus", -3, 5, "5", "\u22123", true},
      {"sign dropped", -3, 5, "3", "5", false},
      {"a fraction near a root", 2, 7, "2", "7.5", false},
      {"letters", 2, 7, "two", "seven", false},
      {"second box emptied", 2, 7, "2", "", false},
      {"both boxes emptied", 2, 7, "", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OnTask run(c.x1, c.x2);
    run.Answer(c.first, c.second);
    EXPECT_EQ(run.window.Text("Label12"), c.correct ? "Правильно!" : "Неправильно!");
    EXPECT_EQ(run.state.WrongCount, c.correct ? 0 : 1);
  }
}

TEST(CheckAnswer, RightAnswerStopsTheStopwatchAndShowsNextKeepingTheBoxes) {
  OnTask run(2, 7);
  run.Answer("7", "2");
  EXPECT_EQ(CallLog(run.window),
            "GetText Text4; GetText Text5; SetCaption Label12 Правильно!; SetVisible Command3 1; "
            "SetEnabled Text4 0; SetEnabled Text5 0; SetText Text2 1; SetText Text1 1; "
            "SetEnabled Timer1 0; SetVisible Command1 0");
  EXPECT_EQ(run.window.Text("Text4"), "7");
  EXPECT_EQ(run.window.Text("Text5"), "2");
  EXPECT_EQ(run.state.Scores[1], 5);
}

TEST(CheckAnswer, WrongAnswerEmptiesBothBoxesAndHidesCheck) {
  OnTask run(2, 7);
  run.Answer("2", "2");
  EXPECT_EQ(CallLog(run.window),
            "GetText Text4; GetText Text5; SetCaption Label12 Неправильно!; SetText Text3 1; "
            "SetVisible Command3 0; SetText Text5; SetText Text4; SetVisible Command1 0");
  EXPECT_EQ(run.window.Text("Text4"), "");
  EXPECT_TRUE(run.window.Enabled("Text4") && run.window.Enabled("Text5"));
  EXPECT_TRUE(run.window.Enabled("Timer1")) << "the stopwatch keeps running";
  EXPECT_EQ(run.state.Attempts, 2);
}

// 5 / attempts, halves to even; the tenth attempt earns nothing, after nine wrong answers.
TEST(CheckAnswer, ScoresTheTaskByTheAttemptThatSolvedIt) {
  const std::int16_t scoreAfterWrong[] = {5, 2, 2, 1, 1, 1, 1, 1, 1, 0, 0};
  for (int wrong = 0; wrong <= 10; ++wrong) {
    SCOPED_TRACE(wrong);
    OnTask run(2, 7);
    for (int i = 0; i < wrong; ++i) run.AnswerWrongly();
    run.Answer("2", "7");
    EXPECT_EQ(run.state.Scores[1], scoreAfterWrong[wrong]);
    EXPECT_EQ(run.window.Text("Text3"), wrong == 0 ? "" : std::to_string(wrong));
  }
}

// Solves tasks, the given ones at the second attempt, the others at once; stops on the last.
void SolveTasks(DrillRun& run, int tasks, const std::vector<int>& atSecondAttempt) {
  for (int task = 1; task <= tasks; ++task) {
    if (std::count(atSecondAttempt.begin(), atSecondAttempt.end(), task)) run.AnswerWrongly();
    run.AnswerRightly();
    if (task < tasks) run.drill.NextTask();
  }
}

TEST(CheckAnswer, ShowsTheRunsRatingAndGradeWithThePupilsDecimalSeparator) {
  struct Case {
    const char* name;
    const char* separator;
    int tasks;
    std::vector<int> atSecondAttempt;
    const char* rating;
    const char* grade;
  };
  const Case cases[] = {
      {"27 over 6 is 4.5, which earns a 5", ".", 6, {6}, "4.5", "5"},
      {"under a comma setting", ",", 6, {6}, "4,5", "5"},
      {"102 over 24 is exactly 4.25, to even 4.2", ",", 24, {3, 7, 11, 15, 19, 23}, "4,2", "4"},
      {"all at once", ".", 6, {}, "5", "5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DrillRun run(c.separator);
    run.Load(3);
    run.Start();
    SolveTasks(run, c.tasks, c.atSecondAttempt);
    EXPECT_EQ(run.window.Text("Label6"), c.rating);
    EXPECT_EQ(run.window.Text("Label4"), c.grade);
    EXPECT_EQ(run.window.Text("Text1"), std::to_string(c.tasks));
    EXPECT_EQ(run.window.Text("Text2"), std::to_string(c.tasks - c.atSecondAttempt.size()));
  }
}

TEST(CheckAnswer, ShowsRatingAndGradeFromTheSixthTaskOn) {
  DrillRun run;
  run.window.Type("Label6", "0");  // the captions the window opens with
  run.window.Type("Label4", "0");
  run.Load(8);
  run.Start();
  for (int task = 1; task <= 5; ++task) {
    SCOPED_TRACE(task);
    run.window.ClearCalls();
    run.AnswerRightly();
    EXPECT_EQ(CallLog(run.window).find("Label6"), std::string::npos);
    EXPECT_EQ(CallLog(run.window).find("Label4"), std::string::npos);
    run.drill.NextTask();
  }
  EXPECT_EQ(run.window.Text("Label6"), "0");
  run.AnswerRightly();
  EXPECT_EQ(run.window.Text("Label6"), "5");
  EXPECT_EQ(run.window.Text("Label4"), "5");
}

TEST(CheckAnswer, CountersHoldAt32767InsteadOfWrapping) {
  OnTask run(2, 7);
  run.state.Attempts = 32767;
  run.state.WrongCount = 32767;
  run.AnswerWrongly();
  EXPECT_EQ(run.state.Attempts, 32767);
  EXPECT_EQ(run.state.WrongCount, 32767);
  EXPECT_EQ(run.window.Text("Text3"), "32767");
  run.Answer("2", "7");
  EXPECT_EQ(run.state.Scores[1], 0);
  EXPECT_EQ(run.state.Attempts, 1);
}

}  // namespace
