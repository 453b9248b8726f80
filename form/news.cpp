#include "form/news.h"

#include "drill/drill.h"
#include "form/spoken.h"

namespace form {

static_assert(drill::kTasksPerRun == 500, "kRunOver names the tasks a run has room for");

void News::EquationShown(std::int16_t p, std::int16_t q) { equation_ = SpokenEquation(p, q); }

void News::CaptionSet(std::string_view control, std::string_view text) {
  if (control == kVerdict && !text.empty()) verdict_ = text;
}

void News::VisibilitySet(std::string_view control, bool shown) {
  if (control == "Command3" && shown) nextShown_ = true;
}

std::string News::Take() {
  std::string sentence = verdict_.empty() ? equation_ : verdict_;
  // A right answer with no Next to go on to was the run's last task.
  if (verdict_ == drill::kCorrect && !nextShown_) sentence += " " + std::string(kRunOver);
  *this = News();
  return sentence;
}

}  // namespace form
