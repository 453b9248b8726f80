#include "form/keyboard_rules.h"

namespace form {

ReturnAction WhatReturnDoes(const ReturnContext& where) {
  if (where.focusInFirstBox && where.firstBoxEmpty) return ReturnAction::Nothing;
  if (where.focusInFirstBox && where.secondBoxEnabled && where.secondBoxEmpty) {
    return ReturnAction::MoveToSecondBox;
  }
  if (where.startShown) return ReturnAction::PressStart;
  if (where.checkShown) return ReturnAction::PressCheck;
  if (where.nextShown) return ReturnAction::PressNext;
  return ReturnAction::Nothing;
}

FocusAfterCheck WhereFocusGoesAfterCheck(bool nextShown, bool firstBoxEnabled) {
  if (nextShown) return FocusAfterCheck::Next;
  if (firstBoxEnabled) return FocusAfterCheck::FirstBox;
  return FocusAfterCheck::Nowhere;
}

bool HeldKeys::Press(int key, bool flaggedRepeat, std::uint64_t timestamp) {
  State& state = keys_[key];
  const bool pairedWithRelease = timestamp != 0 && timestamp == state.releasedAt;
  const bool own = !flaggedRepeat && !state.down && !pairedWithRelease;
  state.down = true;
  return own;
}

void HeldKeys::Release(int key, bool flaggedRepeat, std::uint64_t timestamp) {
  if (flaggedRepeat) return;  // the key stays down
  State& state = keys_[key];
  state.down = false;
  state.releasedAt = timestamp;
}

}  // namespace form
