// What the pupil hears after each step, told by the engine's own calls to the window port.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "drill_run.h"
#include "form/news.h"

namespace {

// The recording window, passing on to the news what every window's port passes on.
class NewsWindow : public FakeWindow {
 public:
  void SetCaption(std::string_view control, std::string_view text) override {
    FakeWindow::SetCaption(control, text);
    news.CaptionSet(control, text);
  }
  void SetVisible(std::string_view control, bool shown) override {
    FakeWindow::SetVisible(control, shown);
    news.VisibilitySet(control, shown);
  }
  void ShowEquation(std::int16_t p, std::int16_t q) override {
    FakeWindow::ShowEquation(p, q);
    news.EquationShown(p, q);
  }

  form::News news;
};

struct Step {
  const char* what;
  std::function<void(drill::Drill&, NewsWindow&)> act;
  std::string heard;
};

void answer(drill::Drill& drill, NewsWindow& window, int first, int second) {
  window.Type("Text4", std::to_string(first));
  window.Type("Text5", std::to_string(second));
  drill.CheckAnswer();
}

TEST(News, EachStepIsToldOnceAndTicksAreNotNews) {
  NewsWindow window;
  ScriptedRandom random;
  drill::Drill drill(window, random);
  random.ScriptRow(1);  // sign patterns 2, 3, 4, 1 for tasks 1 to 4
  drill.InitRun();
  random.ScriptRoots(2, 7);
  random.ScriptRoots(3, 5);

  const Step road[] = {
      {"the load", [](auto&, auto&) {}, ""},
      {"Start", [](auto& d, auto& w) { form::StartRun(w, d); },
       "x в квадрате минус 5 x минус 14 равно нулю"},
      {"a tick", [](auto& d, auto&) { d.TickSecond(); }, ""},
      {"a wrong answer", [](auto& d, auto& w) { answer(d, w, 2, 7); }, "Неправильно!"},
      {"the same wrong answer again", [](auto& d, auto& w) { answer(d, w, 2, 7); }, "Неправильно!"},
      {"a right answer", [](auto& d, auto& w) { answer(d, w, 7, -2); }, "Правильно!"},
      {"Next, which clears the verdict", [](auto& d, auto&) { d.NextTask(); },
       "x в квадрате плюс 2 x минус 15 равно нулю"},
      {"a minute of ticks",
       [](auto& d, auto&) {
         for (int s = 0; s < 60; ++s) d.TickSecond();
       },
       ""},
      {"the run's last task solved",
       [](auto& d, auto& w) {
         d.state.TaskNo = drill::kTasksPerRun;
         answer(d, w, d.state.X1, d.state.X2);
       },
       "Правильно! Все 500 заданий решены, тренировка окончена."},
  };
  for (const Step& step : road) {
    step.act(drill, window);
    EXPECT_EQ(window.news.Take(), step.heard) << step.what;
    EXPECT_EQ(window.news.Take(), "") << step.what << ", told a second time";
  }
}

}  // namespace
