// libFuzzer target over what reads the answer boxes: ReadLeadingNumber and CheckAnswer.
//
// An input is the two texts a pupil typed: the bytes up to the first newline go into Text4, the
// rest (further newlines included) into Text5; an input without a newline leaves Text5 empty.
// Any bytes are fair: invalid UTF-8, NULs, texts of a megabyte, digits far past any range (see
// Expand for the shorthand by which a short input stands for a huge text).
//
// For each text, ReadLeadingNumber is held to its contract and compared with a reading of our
// own (the same lenient rules, with strtod doing the conversion). Then both texts are checked by
// CheckAnswer on a few prepared moments of a real run, and the verdict, the counters and what the
// window was told are held against what they must be. Any violation aborts, so libFuzzer keeps
// the input that caused it.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "drill/drill.h"
#include "drill/number_text.h"

namespace {

using drill::DrillState;
using drill::ReadLeadingNumber;

constexpr std::string_view kCorrect = "Правильно!";
constexpr std::string_view kIncorrect = "Неправильно!";

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "answer_fuzzer: %s\n", what);
  std::abort();
}

void Require(bool holds, const char* what) {
  if (!holds) Fail(what);
}

// ---------------------------------------------------------------------------------------------
// The window, as far as CheckAnswer uses it: the texts of the two answer boxes, and what the
// engine shows on the controls it touches. Controls it is not asked about are ignored.

class FuzzWindow final : public drill::WindowPort {
 public:
  enum Id {
    kLabel12,
    kLabel4,
    kLabel6,
    kText1,
    kText2,
    kText3,
    kText4,
    kText5,
    kCommand1,
    kCommand3,
    kTimer1,
    kCount
  };

  struct Control {
    std::string text;
    bool visible = true;
    bool enabled = true;
    // Whether the engine set the text, visibility or enabled state since ForgetChanges.
    bool textSet = false;
    bool visibleSet = false;
    bool enabledSet = false;
  };

  Control& operator[](Id id) { return controls_[id]; }

  void ForgetChanges() {
    for (Control& c : controls_) c.textSet = c.visibleSet = c.enabledSet = false;
  }

  // What the pupil types (not a change the engine made).
  void Type(std::string_view first, std::string_view second) {
    controls_[kText4].text.assign(first);
    controls_[kText5].text.assign(second);
  }

  void SetCaption(std::string_view control, std::string_view text) override {
    SetText(control, text);
  }
  void SetText(std::string_view control, std::string_view text) override {
    if (Control* c = find(control)) {
      c->text.assign(text);
      c->textSet = true;
    }
  }
  std::string GetText(std::string_view control) override {
    const Control* c = find(control);
    return c ? c->text : std::string();
  }
  void SetVisible(std::string_view control, bool shown) override {
    if (Control* c = find(control)) {
      c->visible = shown;
      c->visibleSet = true;
    }
  }
  void SetEnabled(std::string_view control, bool enabled) override {
    if (Control* c = find(control)) {
      c->enabled = enabled;
      c->enabledSet = true;
    }
  }
  void SetFocus(std::string_view) override {}
  void SetupEquationFonts() override {}
  void ShowEquation(std::int16_t, std::int16_t) override {}

 private:
  static constexpr std::string_view kNames[kCount] = {"Label12",  "Label4",   "Label6", "Text1",
                                                      "Text2",    "Text3",    "Text4",  "Text5",
                                                      "Command1", "Command3", "Timer1"};

  Control* find(std::string_view name) {
    for (int i = 0; i < kCount; ++i) {
      if (kNames[i] == name) return &controls_[i];
    }
    return nullptr;
  }

  Control controls_[kCount];
};

// A fixed stream of draws in [0, 1), the same in every process, so the prepared runs (and the
// right answers in the seed corpus) do not depend on the time of day.
class FixedRandom final : public drill::RandomSource {
 public:
  void Seed(float) override {}
  float Next() override {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<float>(state_ >> 40) / 16777216.0f;  // 24 bits: never 1.0
  }

 private:
  std::uint64_t state_ = 20240501;
};

// ---------------------------------------------------------------------------------------------
// Our own reading of a typed answer, to hold ReadLeadingNumber against. It goes by code points,
// decoded strictly (an overlong or otherwise invalid sequence is one byte that means nothing), and
// tells characters apart by their numbers, where ReadLeadingNumber compares bytes.

constexpr char32_t kNothing = 0xFFFFFFFF;  // no character: the end, or an invalid byte

struct CodePoint {
  char32_t value = kNothing;
  std::size_t length = 0;  // bytes; 1 for an invalid byte, 0 at the end
};

CodePoint DecodeAt(std::string_view text, std::size_t at) {
  if (at >= text.size()) return {};
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  // The bytes of the sequence, the value bits of its lead byte, and the least value it may encode
  // (below it, the sequence is overlong).
  struct Form {
    std::size_t length;
    unsigned char valueBits;
    char32_t lowest;
  };
  const Form form = lead >= 0xF8   ? Form{0, 0, 0}
                    : lead >= 0xF0 ? Form{4, 0x07, 0x10000}
                    : lead >= 0xE0 ? Form{3, 0x0F, 0x800}
                    : lead >= 0xC0 ? Form{2, 0x1F, 0x80}
                                   : Form{0, 0, 0};  // a continuation byte
  const std::size_t length = form.length;
  if (length == 0 || at + length > text.size()) return {kNothing, 1};
  char32_t value = lead & form.valueBits;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {kNothing, 1};
    value = value << 6 | (byte(i) & 0x3F);
  }
  if (value < form.lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return {kNothing, 1};
  }
  return {value, length};
}

// Tab, the line breaks (LF, VT, FF, CR, next line, line and paragraph separators) and Unicode's
// space separators (category Zs).
bool IsBlank(char32_t c) {
  const bool lineBreak = (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
  const bool space = c == U' ' || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
                     c == 0x202F || c == 0x205F || c == 0x3000;
  return c == U'\t' || lineBreak || space;
}

// Minus, typographic minus, em, en and figure dash, hyphen, small and fullwidth hyphen-minus.
bool IsMinus(char32_t c) {
  return c == U'-' || c == 0x2212 || c == 0x2014 || c == 0x2013 || c == 0x2012 || c == 0x2010 ||
         c == 0xFE63 || c == 0xFF0D;
}

// Plus, fullwidth and small plus.
bool IsPlus(char32_t c) { return c == U'+' || c == 0xFF0B || c == 0xFE62; }

// Point, comma, fullwidth full stop, fullwidth comma.
bool IsPoint(char32_t c) { return c == U'.' || c == U',' || c == 0xFF0E || c == 0xFF0C; }

// The value of an ASCII or fullwidth digit, or -1.
int DigitValue(char32_t c) {
  if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
  if (c >= 0xFF10 && c <= 0xFF19) return static_cast<int>(c - 0xFF10);
  return -1;
}

struct Reading {
  bool startsWell = false;  // after the blanks: a sign, a digit, a point or a comma
  bool anyDigit = false;    // the number part holds at least one digit
  bool negative = false;
  std::string number;  // the digits in ASCII, with '.' for the separator: what strtod is given
};

std::size_t SkipBlanksFrom(std::string_view text, std::size_t at) {
  for (CodePoint c = DecodeAt(text, at); IsBlank(c.value); c = DecodeAt(text, at)) at += c.length;
  return at;
}

Reading ReadOurselves(std::string_view text) {
  Reading r;
  std::size_t at = SkipBlanksFrom(text, 0);
  const CodePoint first = DecodeAt(text, at);
  r.startsWell = DigitValue(first.value) >= 0 || IsMinus(first.value) || IsPlus(first.value) ||
                 IsPoint(first.value);
  if (IsMinus(first.value) || IsPlus(first.value)) {
    r.negative = IsMinus(first.value);
    at += first.length;
  }
  at = SkipBlanksFrom(text, at);
  // Appends the digits at `at` to the number; returns whether there was any.
  const auto takeDigits = [&] {
    bool any = false;
    for (CodePoint c = DecodeAt(text, at); DigitValue(c.value) >= 0; c = DecodeAt(text, at)) {
      r.number += static_cast<char>('0' + DigitValue(c.value));
      at += c.length;
      any = true;
    }
    return any;
  };
  r.anyDigit = takeDigits();
  const CodePoint point = DecodeAt(text, at);
  if (IsPoint(point.value)) {
    r.number += '.';
    at += point.length;
    const bool fractionDigits = takeDigits();
    r.anyDigit = r.anyDigit || fractionDigits;
  }
  return r;
}

// Whether text holds a digit anywhere, ASCII or fullwidth.
bool HoldsDigit(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const CodePoint c = DecodeAt(text, at);
    if (DigitValue(c.value) >= 0) return true;
    at += c.length;
  }
  return false;
}

// What a text reads as: ReadLeadingNumber's value, and whether by our own reading the text starts
// with a number at all.
struct Read {
  std::optional<double> value;
  bool holdsNumber = false;
};

// Checks what ReadLeadingNumber makes of text.
Read CheckReading(std::string_view text) {
  const std::optional<double> value = ReadLeadingNumber(text);
  const Reading ours = ReadOurselves(text);

  if (value) Require(std::isfinite(*value), "a reading is not finite");
  if (!ours.startsWell) Require(!value, "a text starting with no sign, digit or point reads");
  if (!HoldsDigit(text)) Require(!value, "a text holding no digit reads as a number");
  if (!ours.anyDigit) {
    Require(!value, "a text with no digit in its leading number reads as a number");
    return {value, false};
  }

  errno = 0;
  const double magnitude = std::strtod(ours.number.c_str(), nullptr);
  const bool outOfRange = errno == ERANGE;
  const double expected = ours.negative ? -magnitude : magnitude;
  if (outOfRange && std::isinf(magnitude)) {
    Require(!value, "a number beyond the range of a double reads");
  } else if (outOfRange) {
    // Below the smallest normal double: nothing, or the nearest subnormal.
    Require(!value || *value == expected, "a tiny number reads as something else");
  } else {
    Require(value.has_value(), "a number in range does not read");
    Require(*value == expected, "a number reads as another value");
    Require(std::signbit(*value) == std::signbit(expected), "a number reads with the wrong sign");
  }
  return {value, true};
}

// ---------------------------------------------------------------------------------------------
// Moments of a real run at which the pupil presses Check.

struct Moment {
  const char* name;
  DrillState state;
};

struct Fixture {
  FuzzWindow window;
  FixedRandom random;
  drill::Drill drill{window, random, ","};
  std::vector<Moment> moments;

  void Answer(std::string_view first, std::string_view second) {
    window.Type(first, second);
    drill.CheckAnswer();
  }
  void AnswerRightly() {
    Answer(std::to_string(drill.state.X1), std::to_string(drill.state.X2));
    Require(window[FuzzWindow::kLabel12].text == kCorrect, "preparing: a right answer failed");
  }

  Fixture() {
    drill.InitRun();
    drill.NewTask();
    moments.push_back({"task 1, first attempt", drill.state});

    Answer("", "");
    Answer("", "");
    moments.push_back({"task 1, third attempt", drill.state});

    // The wrong count held at its ceiling; so is the attempt count.
    while (drill.state.WrongCount < std::numeric_limits<std::int16_t>::max()) Answer("", "");
    Answer("", "");
    Require(drill.state.WrongCount == std::numeric_limits<std::int16_t>::max(),
            "preparing: the wrong count went past its ceiling");
    moments.push_back({"task 1, wrong count at its ceiling", drill.state});

    drill.state = moments[0].state;
    for (int task = 1; task < 6; ++task) {
      AnswerRightly();
      drill.NextTask();
    }
    moments.push_back({"task 6, first attempt: rating and grade shown", drill.state});

    while (drill.state.TaskNo < drill::kTasksPerRun) {
      AnswerRightly();
      drill.NextTask();
    }
    Answer("", "");
    moments.push_back({"last task, second attempt", drill.state});

    // The right answers, for whoever writes seeds.
    for (const Moment& m : moments) {
      std::fprintf(stderr, "answer_fuzzer: %s: roots %d and %d\n", m.name, m.state.X1, m.state.X2);
    }
  }
};

bool IsRoot(const std::optional<double>& value, std::int16_t root) {
  return value.has_value() && *value == root;
}

std::int16_t Saturated(int value) {
  return static_cast<std::int16_t>(std::min(value, int{std::numeric_limits<std::int16_t>::max()}));
}

void CheckAnswerAt(Fixture& f, const Moment& m, std::string_view first, std::string_view second,
                   const Read& a, const Read& b) {
  using W = FuzzWindow;
  const DrillState& before = m.state;
  DrillState& after = f.drill.state;
  after = before;
  f.window.Type(first, second);
  f.window.ForgetChanges();
  f.drill.CheckAnswer();

  const bool right = (IsRoot(a.value, before.X1) && IsRoot(b.value, before.X2)) ||
                     (IsRoot(a.value, before.X2) && IsRoot(b.value, before.X1));

  Require(f.window[W::kLabel12].textSet, "no verdict shown");
  const std::string& verdict = f.window[W::kLabel12].text;
  Require(verdict == (right ? kCorrect : kIncorrect), "the verdict is not what the texts say");
  if (!a.holdsNumber || !b.holdsNumber) {
    Require(verdict == kIncorrect, "a text holding no number matched a root");
  }

  // The equation stays.
  Require(after.X1 == before.X1 && after.X2 == before.X2 && after.CoefP == before.CoefP &&
              after.CoefQ == before.CoefQ && after.TaskNo == before.TaskNo,
          "checking changed the task");
  Require(f.window[W::kCommand1].visibleSet && !f.window[W::kCommand1].visible,
          "Check still shown after checking");

  if (right) {
    Require(after.WrongCount == before.WrongCount, "a right answer changed the wrong count");
    Require(after.FirstTryCount == before.FirstTryCount + (before.Attempts == 1 ? 1 : 0),
            "first-try count wrong after a right answer");
    Require(after.Attempts == 1, "attempts not reset after a right answer");
    Require(f.window[W::kText2].textSet &&
                f.window[W::kText2].text == std::to_string(after.FirstTryCount),
            "first-try count not shown");
    Require(
        f.window[W::kText1].textSet && f.window[W::kText1].text == std::to_string(before.TaskNo),
        "task number not shown");
    Require(!f.window[W::kText3].textSet, "wrong count shown after a right answer");
    Require(!f.window[W::kText4].textSet && !f.window[W::kText5].textSet,
            "a right answer was erased");
    Require(f.window[W::kText4].enabledSet && !f.window[W::kText4].enabled &&
                f.window[W::kText5].enabledSet && !f.window[W::kText5].enabled,
            "answer boxes still open after a right answer");
    Require(f.window[W::kTimer1].enabledSet && !f.window[W::kTimer1].enabled,
            "stopwatch still running after a right answer");
    const bool nextShown = f.window[W::kCommand3].visibleSet && f.window[W::kCommand3].visible;
    Require(nextShown == (before.TaskNo < drill::kTasksPerRun), "Next shown wrongly");
    const std::int16_t score = after.Scores[before.TaskNo];
    Require(score >= 0 && score <= 5 && after.ScoreSum == before.ScoreSum + score,
            "score not recorded");
    if (before.TaskNo > 5) {
      Require(after.Rating >= 0 && after.Rating <= 5, "rating out of range");
      Require(after.Grade >= 0 && after.Grade <= 5, "grade out of range");
      Require(
          f.window[W::kLabel4].textSet && f.window[W::kLabel4].text == std::to_string(after.Grade),
          "grade not shown");
      Require(f.window[W::kLabel6].textSet, "rating not shown");
    }
  } else {
    Require(after.WrongCount == Saturated(before.WrongCount + 1), "wrong count not counted");
    Require(after.Attempts == Saturated(before.Attempts + 1), "attempt not counted");
    Require(after.FirstTryCount == before.FirstTryCount && after.ScoreSum == before.ScoreSum,
            "a wrong answer changed the score");
    Require(
        f.window[W::kText3].textSet && f.window[W::kText3].text == std::to_string(after.WrongCount),
        "wrong count not shown");
    Require(!f.window[W::kText1].textSet && !f.window[W::kText2].textSet,
            "solved counts shown after a wrong answer");
    Require(f.window[W::kText4].textSet && f.window[W::kText4].text.empty() &&
                f.window[W::kText5].textSet && f.window[W::kText5].text.empty(),
            "a wrong answer was not erased");
    Require(!f.window[W::kText4].enabledSet && !f.window[W::kText5].enabledSet &&
                !f.window[W::kTimer1].enabledSet,
            "a wrong answer closed the boxes or touched the stopwatch");
    Require(f.window[W::kCommand3].visibleSet && !f.window[W::kCommand3].visible,
            "Next shown after a wrong answer");
  }
}

// Huge texts, from the first seconds of a run: libFuzzer grows its inputs only slowly, so a text
// may say "this byte, many times" for short. The byte 0x01 followed by the bytes c and k stands for
// c repeated 2^(k mod 21) times, 1 to 1048576; the text is then checked both as it is and expanded,
// to at most a megabyte (as large as -max_len lets an input grow).
//
// A megabyte costs the checks up to a second under the sanitizers, ten thousand short inputs' time.
// So that huge texts take a small share of the time, only one input in kExpandOneIn has its
// shorthands expanded, chosen by a hash of its bytes (the choice is the same when it is run again;
// the committed seeds that hold shorthands end in a few ignored bytes chosen to be among them).
// libFuzzer runs some inputs many times over, the seeds with shorthands above all (their huge
// texts reach code that little else does); the checks are deterministic, so an input already
// expanded in this process is not expanded again.
constexpr char kRepeat = '\x01';
constexpr std::size_t kMaxExpanded = std::size_t{1} << 20;
constexpr std::uint64_t kExpandOneIn = 8192;

__attribute__((no_sanitize("coverage"))) std::uint64_t HashOf(std::string_view input) {
  std::uint64_t hash = 14695981039346656037ULL;  // FNV-1a
  for (unsigned char c : input) hash = (hash ^ c) * 1099511628211ULL;
  return hash;
}

// Writes text with its shorthands expanded into out; returns false (out untouched) if it has none.
// Neither this nor the choice above is instrumented for coverage: a shorthand by itself earns an
// input no place in the corpus.
__attribute__((no_sanitize("coverage"))) bool Expand(std::string_view text, std::string& out) {
  const std::size_t first = text.find(kRepeat);
  if (first == std::string_view::npos || first + 2 >= text.size()) return false;
  out.assign(text.substr(0, first));
  for (std::size_t i = first; i < text.size(); ++i) {
    if (text[i] == kRepeat && i + 2 < text.size()) {
      const std::size_t times = std::size_t{1} << (static_cast<unsigned char>(text[i + 2]) % 21);
      out.append(std::min(times, kMaxExpanded - std::min(out.size(), kMaxExpanded)), text[i + 1]);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return true;
}

void CheckTexts(Fixture& fixture, std::string_view first, std::string_view second) {
  const Read a = CheckReading(first);
  const Read b = CheckReading(second);
  for (const Moment& m : fixture.moments) CheckAnswerAt(fixture, m, first, second, a, b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Fixture fixture;
  static std::string bigFirst, bigSecond;
  static std::unordered_set<std::uint64_t> expandedAlready;

  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t newline = input.find('\n');
  const std::string_view first = input.substr(0, newline);
  const std::string_view second =
      newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1);

  CheckTexts(fixture, first, second);
  const std::uint64_t hash = HashOf(input);
  if ((hash >> 40) % kExpandOneIn != 0 || !expandedAlready.insert(hash).second) return 0;
  const bool firstExpanded = Expand(first, bigFirst);
  const bool secondExpanded = Expand(second, bigSecond);
  if (firstExpanded || secondExpanded) {
    CheckTexts(fixture, firstExpanded ? std::string_view(bigFirst) : first,
               secondExpanded ? std::string_view(bigSecond) : second);
  }
  return 0;
}
