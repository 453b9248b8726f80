// The answer boxes' editing rules every window follows: what a paste puts in a box, when entering
// a box selects its text, and the keys a box takes as the program's own.
#include "form/answer_box.h"

#include <gtest/gtest.h>

#include <string>

#include "drill/number_text.h"

namespace {

using form::kAnswerBoxLimit;

TEST(PastedText, MakesLineBreaksBlanksAndCutsToTheRoomNeverInsideACharacter) {
  struct Case {
    const char* name;
    std::string pasted;
    std::size_t room;
    std::string kept;
  };
  const std::string longRoot = "-6" + std::string(2 * kAnswerBoxLimit, '0');
  const Case cases[] = {
      {"a spreadsheet cell", "-6\r\n", kAnswerBoxLimit, "-6  "},
      {"a line before", "\n-6", kAnswerBoxLimit, " -6"},
      {"lines of a text file", "3\n4\n", kAnswerBoxLimit, "3 4 "},
      {"unicode line and paragraph separators", "7\u2028\u2029", kAnswerBoxLimit, "7  "},
      {"other characters stay", "\u2212\u20095\tx", kAnswerBoxLimit, "\u2212\u20095\tx"},
      {"cut to the room", "12345", 3, "123"},
      {"a line break counts one unit", "\r\n5", 2, "  "},
      {"no room", "5", 0, ""},
      {"a Cyrillic letter is one unit", "\u0436\u0436", 1, "\u0436"},
      {"a character beyond the basic plane is two units", "1\U0001F600", 2, "1"},
      {"and fits when two are left", "\U0001F600", 2, "\U0001F600"},
      {"a long paste is cut to the limit", longRoot, kAnswerBoxLimit,
       longRoot.substr(0, kAnswerBoxLimit)},
      {"a byte that continues nothing is kept, never split from what follows", "\x80\x81", 1,
       "\x80\x81"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(form::PastedText(c.pasted, c.room), c.kept);
  }
}

// What the box keeps is what the engine reads: a pasted cell, and a root that begins a paste cut
// to the limit.
TEST(PastedText, LeavesWhatWasPastedReadableAsItsNumber) {
  const std::string huge = "\r\n-6\r\n" + std::string(1'000'000, '7');
  const std::string kept = form::PastedText(huge, kAnswerBoxLimit);
  EXPECT_EQ(kept.size(), kAnswerBoxLimit);
  EXPECT_EQ(drill::ReadLeadingNumber(form::PastedText("-6\r\n", kAnswerBoxLimit)), -6);
  EXPECT_EQ(drill::ReadLeadingNumber(kept), -6);
}

TEST(RoomForPaste, IsTheLimitLessWhatThePasteDoesNotReplace) {
  EXPECT_EQ(form::RoomForPaste(0, 0), kAnswerBoxLimit);
  EXPECT_EQ(form::RoomForPaste(3, 0), kAnswerBoxLimit - 3);
  EXPECT_EQ(form::RoomForPaste(3, 3), kAnswerBoxLimit);
  EXPECT_EQ(form::RoomForPaste(kAnswerBoxLimit, 0), 0u);
  EXPECT_EQ(form::RoomForPaste(kAnswerBoxLimit + 5, 1), 0u);
}

// Tab and Shift+Tab into a box select its text, so typing replaces a root typed before.
TEST(EnteringABox, SelectsItsTextOnlyWhenTabMovedTheFocusThere) {
  using enum form::FocusCause;
  EXPECT_TRUE(form::SelectsAllOnEntry(TabKey));
  EXPECT_FALSE(form::SelectsAllOnEntry(Click));
  EXPECT_FALSE(form::SelectsAllOnEntry(Program));
}

TEST(BoxKeys, CtrlASelectsAllAndNothingElseDoes) {
  using form::BoxKeyAction;
  struct Case {
    const char* name;
    form::BoxKey key;
    BoxKeyAction does;
  };
  const Case cases[] = {
      {"Ctrl+A", {.latinLetter = 'A', .control = true}, BoxKeyAction::SelectAll},
      {"A alone types", {.latinLetter = 'A'}, BoxKeyAction::Ordinary},
      {"AltGr+A types a letter",
       {.latinLetter = 'A', .control = true, .alt = true},
       BoxKeyAction::Ordinary},
      {"Ctrl+Shift+A",
       {.latinLetter = 'A', .control = true, .shift = true},
       BoxKeyAction::Ordinary},
      {"Ctrl+V is the box's own paste",
       {.latinLetter = 'V', .control = true},
       BoxKeyAction::Ordinary},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(form::WhatBoxKeyDoes(c.key), c.does);
  }
}

}  // namespace
