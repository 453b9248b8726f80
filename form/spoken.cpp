#include "form/spoken.h"

#include <algorithm>
#include <cstdlib>

namespace form {
namespace {

std::string signWord(int value) { return value < 0 ? " минус " : " плюс "; }

}  // namespace

std::span<const SpokenName> FixedNames() {
  static const std::array<SpokenName, 5> names = {{
      {"Text4", "Первый корень"},
      {"Text5", "Второй корень"},
      {"Text1", "Решено всего"},
      {"Text2", "С первой попытки"},
      {"Text3", "Ошибочных попыток"},
  }};
  return names;
}

std::array<SpokenName, 4> ValueNames(const CaptionOf& caption, bool taskMinutesShown) {
  std::string taskTime = "Время задания: ";
  if (taskMinutesShown) taskTime += caption("Label16") + " мин ";
  taskTime += caption("Label14") + " сек";
  return {{
      {"Label6", "Средний балл: " + caption("Label6")},
      {"Label4", "Оценка: " + caption("Label4")},
      {"Label14", taskTime},
      {"Label21", "Суммарное время: " + caption("Label21") + " мин " + caption("Label19") + " сек"},
  }};
}

bool ChangesValueNames(std::string_view control) {
  static constexpr std::array<std::string_view, 6> kValueControls = {
      "Label4", "Label6", "Label14", "Label16", "Label19", "Label21"};
  return std::find(kValueControls.begin(), kValueControls.end(), control) != kValueControls.end();
}

std::string SpokenEquation(std::int16_t p, std::int16_t q) {
  const int pMagnitude = std::abs(p);
  std::string words = "x в квадрате" + signWord(p);
  if (pMagnitude != 1) words += std::to_string(pMagnitude) + " ";
  words += "x" + signWord(q) + std::to_string(std::abs(q));
  return words + " равно нулю";
}

}  // namespace form
