// What a screen reader says, the same from both windows.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "form/spoken.h"

namespace {

TEST(SpokenEquation, ReadsSignsAndTheLoneX) {
  EXPECT_EQ(form::SpokenEquation(-9, 14), "x в квадрате минус 9 x плюс 14 равно нулю");
  EXPECT_EQ(form::SpokenEquation(1, -12), "x в квадрате плюс x минус 12 равно нулю");
  EXPECT_EQ(form::SpokenEquation(-1, -72), "x в квадрате минус x минус 72 равно нулю");
}

TEST(SpokenValues, ReadTheCaptionsShownAndTheTaskMinutesOnlyWhenShown) {
  const std::map<std::string, std::string, std::less<>> captions = {
      {"Label6", "4,5"}, {"Label4", "5"},   {"Label14", "07"},
      {"Label16", "2"},  {"Label21", "12"}, {"Label19", "09"}};
  const auto caption = [&](std::string_view name) { return captions.find(name)->second; };
  std::map<std::string, std::string> spoken;
  for (const auto& [control, name] : form::ValueNames(caption, true))
    spoken[std::string(control)] = name;
  EXPECT_EQ(spoken["Label6"], "Средний балл: 4,5");
  EXPECT_EQ(spoken["Label4"], "Оценка: 5");
  EXPECT_EQ(spoken["Label14"], "Время задания: 2 мин 07 сек");
  EXPECT_EQ(spoken["Label21"], "Суммарное время: 12 мин 09 сек");
  EXPECT_EQ(form::ValueNames(caption, false)[2].name, "Время задания: 07 сек");

  for (const char* control : {"Label4", "Label6", "Label14", "Label16", "Label19", "Label21"}) {
    EXPECT_TRUE(form::ChangesValueNames(control)) << control;
  }
  EXPECT_FALSE(form::ChangesValueNames("Label12"));
}

}  // namespace
