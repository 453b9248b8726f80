// The keyboard rules both windows share: what Return presses, where the focus goes after Check,
// which presses are a held key's, when Next takes a press, and where Tab goes.
#include <gtest/gtest.h>

#include <set>
#include <string_view>
#include <vector>

#include "form/keyboard_rules.h"
#include "form/tab_order.h"

namespace {

using form::ReturnAction;

TEST(ReturnKey, MovesOnFromTheFirstBoxOrPressesTheOneButtonShown) {
  struct Case {
    const char* name;
    form::ReturnContext where;
    ReturnAction does;
  };
  const Case cases[] = {
      {"before Start", {.startShown = true}, ReturnAction::PressStart},
      {"first box typed, second empty",
       {.focusInFirstBox = true, .secondBoxEnabled = true, .secondBoxEmpty = true},
       ReturnAction::MoveToSecondBox},
      {"both boxes empty: stays where the first root goes",
       {.focusInFirstBox = true,
        .firstBoxEmpty = true,
        .secondBoxEnabled = true,
        .secondBoxEmpty = true},
       ReturnAction::Nothing},
      {"first box emptied with Check still shown",
       {.focusInFirstBox = true,
        .firstBoxEmpty = true,
        .secondBoxEnabled = true,
        .checkShown = true},
       ReturnAction::Nothing},
      {"second box empty, Check hidden",
       {.secondBoxEnabled = true, .secondBoxEmpty = true},
       ReturnAction::Nothing},
      {"first box, both typed",
       {.focusInFirstBox = true, .secondBoxEnabled = true, .checkShown = true},
       ReturnAction::PressCheck},
      {"first box after Check was shown and the second box emptied",
       {.focusInFirstBox = true,
        .secondBoxEnabled = true,
        .secondBoxEmpty = true,
        .checkShown = true},
       ReturnAction::MoveToSecondBox},
      {"solved: boxes disabled",
       {.focusInFirstBox = true, .secondBoxEmpty = true, .nextShown = true},
       ReturnAction::PressNext},
      {"the run is complete", {}, ReturnAction::Nothing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(form::WhatReturnDoes(c.where), c.does);
  }
}

TEST(FocusAfterCheck, WaitsOnNextOrGoesBackToTheFirstBox) {
  EXPECT_EQ(form::WhereFocusGoesAfterCheck(true, false), form::FocusAfterCheck::Next);
  EXPECT_EQ(form::WhereFocusGoesAfterCheck(false, true), form::FocusAfterCheck::FirstBox);
  EXPECT_EQ(form::WhereFocusGoesAfterCheck(false, false), form::FocusAfterCheck::Nowhere);
}

constexpr int kReturn = 1;
constexpr int kSpace = 2;

// A key held down reaches the window as repeats: flagged, unflagged, or as release and press
// with one timestamp. Only a press after a real release is the pupil's own.
TEST(HeldKeys, CountOnlyThePupilsOwnPresses) {
  form::HeldKeys keys;
  EXPECT_TRUE(keys.Press(kReturn, false, 1000));
  EXPECT_FALSE(keys.Press(kReturn, true, 1500)) << "a flagged repeat";
  EXPECT_FALSE(keys.Press(kReturn, false, 1540)) << "a repeat without its flag";
  keys.Release(kReturn, true, 1580);  // a flagged release keeps the key down
  EXPECT_FALSE(keys.Press(kReturn, false, 1580));
  keys.Release(kReturn, false, 1620);
  EXPECT_FALSE(keys.Press(kReturn, false, 1620)) << "the second half of a split repeat";
  EXPECT_TRUE(keys.Press(kSpace, false, 1630)) << "another key is its own";
  keys.Release(kReturn, false, 1700);
  EXPECT_TRUE(keys.Press(kReturn, false, 1900)) << "let go and pressed anew";
}

// Platforms without timestamps (0) still tell presses apart by the releases between them.
TEST(HeldKeys, WithoutTimestampsGoByReleasesAndForgetWhenTheWindowLosesTheKeyboard) {
  form::HeldKeys keys;
  EXPECT_TRUE(keys.Press(kReturn, false, 0));
  keys.Release(kReturn, false, 0);
  EXPECT_TRUE(keys.Press(kReturn, false, 0));
  // The release went to another window: without forgetting, Return would stay held for good.
  keys.Forget();
  EXPECT_TRUE(keys.Press(kReturn, false, 0));
}

TEST(NextGuard, TakesAPressOnlyADoubleClickIntervalAfterNextAppeared) {
  using namespace std::chrono_literals;
  const form::NextGuard::Clock::time_point appeared{10s};
  form::NextGuard guard;
  guard.Appeared(appeared);
  EXPECT_FALSE(guard.TakesPress(appeared, 500ms));
  EXPECT_FALSE(guard.TakesPress(appeared + 499ms, 500ms));
  EXPECT_TRUE(guard.TakesPress(appeared + 500ms, 500ms));
  EXPECT_TRUE(guard.TakesPress(appeared, 0ms));
}

}  // namespace

namespace {

// Tab goes round the buttons and boxes in tab-index order, skipping whatever cannot take the
// focus now; a window that moves the focus itself asks here where it goes.
TEST(TabOrder, GoesRoundTheControlsThatTakeTheFocusInTabIndexOrder) {
  const std::vector<std::string_view> order = form::TabOrder();
  EXPECT_EQ(order, (std::vector<std::string_view>{"Command1", "Text4", "Text5", "Text1", "Text2",
                                                  "Text3", "Command2", "Command3"}));
  struct Case {
    const char* name;
    std::set<std::string_view> takingFocus;
    std::string_view from;
    bool forward;
    std::string_view to;
  };
  const Case cases[] = {
      {"before Start: Start alone", {"Command2"}, "Command2", true, "Command2"},
      {"first box to second", {"Text4", "Text5"}, "Text4", true, "Text5"},
      {"second box round the end to Check",
       {"Command1", "Text4", "Text5"},
       "Text5",
       true,
       "Command1"},
      {"Shift+Tab round the start", {"Text4", "Text5"}, "Text4", false, "Text5"},
      {"Shift+Tab from Next past the counters",
       {"Text4", "Text5", "Command3"},
       "Command3",
       false,
       "Text5"},
      {"from the window itself, Tab", {"Text4", "Command3"}, "", true, "Text4"},
      {"from the window itself, Shift+Tab", {"Text4", "Command3"}, "", false, "Command3"},
      {"the run is complete", {}, "", true, ""},
      {"a hidden control keeps nothing", {}, "Command1", true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(
        form::NextInTabOrder(c.from, c.forward,
                             [&](std::string_view name) { return c.takingFocus.contains(name); }),
        c.to);
  }
}

}  // namespace
