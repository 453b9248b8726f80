// The drill engine: everything one run of the drill knows and does, without a window.
//
// A run lives in one record, DrillState. The engine operations (InitRun, NewTask, CheckAnswer,
// NextTask, TickSecond) are the only code that reads or writes it. They never touch a control
// directly: every caption, text, visibility and focus change goes through WindowPort, which the
// main window implements on its controls, addressed by their names ("Command1", "Text4", ...).
// Random numbers come from RandomSource, so a test can script the equations of a whole run.
//
// A click travels like this: the window's button handler calls one engine operation (Check calls
// CheckAnswer); the operation reads the answer boxes through WindowPort::GetText, updates the state
// and writes the verdict, counters and button states back through the port; then control returns
// to the window's event loop. Nothing else runs in between, so no locking is needed.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace drill {

// The tasks a run has room for; solving the last of them completes the run.
inline constexpr std::int16_t kTasksPerRun = 500;

// The verdicts CheckAnswer shows in Label12.
inline constexpr std::string_view kCorrect = "Правильно!";
inline constexpr std::string_view kIncorrect = "Неправильно!";

// The operations by which the engine changes and reads the window. Texts are UTF-8.
class WindowPort {
 public:
  virtual ~WindowPort() = default;
  virtual void SetCaption(std::string_view control, std::string_view text) = 0;
  virtual void SetText(std::string_view control, std::string_view text) = 0;
  virtual std::string GetText(std::string_view control) = 0;
  virtual void SetVisible(std::string_view control, bool shown) = 0;
  virtual void SetEnabled(std::string_view control, bool enabled) = 0;  // Timer1: ticking or not
  virtual void SetFocus(std::string_view control) = 0;
  virtual void SetupEquationFonts() = 0;
  virtual void ShowEquation(std::int16_t p, std::int16_t q) = 0;
};

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual void Seed(float secondsSinceMidnight) = 0;
  virtual float Next() = 0;  // uniform in [0, 1); never 1.0
};

// All state of one run. Every field is zero until InitRun.
struct DrillState {
  // The current task, from 1; also its index in Scores and the history.
  std::int16_t TaskNo = 0;
  // The attempt now being made on the current task, from 1.
  std::int16_t Attempts = 0;
  std::int16_t FirstTryCount = 0;  // tasks solved at the first attempt
  std::int16_t WrongCount = 0;     // wrong answers in the whole run
  std::int16_t ScoreSum = 0;       // sum of the scores of all solved tasks
  // The score of each solved task; [0] is unused.
  std::array<std::int16_t, kTasksPerRun + 1> Scores{};
  float Rating = 0;        // average score, rounded to tenths
  std::int16_t Grade = 0;  // 0..5, from Rating

  // The current equation x^2 + p*x + q = 0: its roots (signs applied) and coefficients.
  std::int16_t X1 = 0;
  std::int16_t X2 = 0;
  std::int16_t CoefP = 0;
  std::int16_t CoefQ = 0;

  // The sign pattern 1..4 of the current task, and the row of PermTable (the orderings of
  // 1234; [0] unused) that serves the current block of four tasks.
  std::int16_t SignMode = 0;
  std::int16_t PermRow = 0;
  std::array<std::int16_t, 25> PermTable{};

  // The roots of the tasks solved since the history was last emptied; [0] is unused.
  std::array<std::int16_t, kTasksPerRun + 1> HistX1{};
  std::array<std::int16_t, kTasksPerRun + 1> HistX2{};
  std::int16_t DupCount = 0;  // history matches found by the latest draw

  // The stopwatch of the current task, and the time of all tasks already advanced from.
  std::int16_t TaskSec = 0;
  std::int16_t TaskMin = 0;
  std::int16_t TotalSec = 0;
  std::int16_t TotalMin = 0;
};

class Drill {
 public:
  // decimalSeparator is the pupil's regional one, used when the rating is shown.
  Drill(WindowPort& window, RandomSource& random, std::string decimalSeparator = ".");

  DrillState state;  // public: the window never touches it; tests may set it up

  void InitRun();                      // the window's load
  std::int16_t Gener(std::int16_t n);  // a random whole number from 1 to n
  void NewTask();                      // draw and show the equation of the current task
  void CheckAnswer();                  // judge the two typed roots
  void NextTask();                     // close a solved task, open the next one
  void TickSecond();                   // one second of the task stopwatch

 private:
  WindowPort& window_;
  RandomSource& random_;
  std::string decimalSeparator_;
};

// The program's own random source, seeded by InitRun from the local time of day.
std::unique_ptr<RandomSource> MakeSystemRandomSource();

}  // namespace drill
