// The answer boxes' editing rules in the Win32 window: every sequence of editing_sequences.h
// played with the messages a keyboard and the clipboard send, as the Qt window plays them.
#include <cstring>

#include "editing_sequences.h"
#include "win32_window_fixture.h"

namespace {

// The modifier keys as the thread's keyboard state has them, which is what the window asks.
void holdModifiers(bool control, bool shift) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  for (const int key : {VK_CONTROL, VK_LCONTROL}) keys[key] = control ? 0x80 : 0;
  for (const int key : {VK_SHIFT, VK_LSHIFT}) keys[key] = shift ? 0x80 : 0;
  SetKeyboardState(keys);
}

void putOnClipboard(HWND owner, const std::string& utf8) {
  const std::wstring text = win32::Utf16(utf8);
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

class EditingRules : public Win32WindowTest {
 protected:
  // A key with Ctrl or Shift held, and the character TranslateMessage makes of it, if any.
  void chord(UINT key, bool control, bool shift, wchar_t character) {
    holdModifiers(control, shift);
    Press({key});
    if (character) Send(WM_CHAR, {character});
    Release({key});
    holdModifiers(false, false);
  }

  void press(EditKey key) {
    switch (key) {
      case EditKey::Return:
        return Tap({VK_RETURN});
      case EditKey::Tab:
        return chord(VK_TAB, false, false, 0);
      case EditKey::ShiftTab:
        return chord(VK_TAB, false, true, 0);
      case EditKey::CtrlA:
        return chord('A', true, false, 0x01);
      case EditKey::Backspace:
        return chord(VK_BACK, false, false, L'\b');
    }
  }

  void play(const EditingSequence& sequence) {
    window_.reset();
    Load(sequence.permRow);
    random_->ScriptRoots(sequence.first, sequence.second);
    Tap({VK_RETURN});  // Start
    for (const EditStep& step : sequence.steps) {
      switch (step.kind) {
        case EditStep::Type:
          Type(step.text);
          break;
        case EditStep::Paste:
          putOnClipboard(window_->hwnd(), step.text);
          chord('V', true, false, 0x16);
          break;
        case EditStep::Key:
          press(step.key);
          break;
      }
    }
    Pump();
  }
};

TEST_F(EditingRules, EverySequenceLeavesTheBoxesVerdictAndCountersItMust) {
  for (const EditingSequence& sequence : EditingSequences()) {
    SCOPED_TRACE(sequence.rule);
    play(sequence);
    EXPECT_EQ(text("Text4"), sequence.text4);
    EXPECT_EQ(text("Text5"), sequence.text5);
    EXPECT_EQ(caption("Label12"), sequence.verdict);
    EXPECT_EQ(text("Text3"), sequence.wrongAttempts);
  }
}

}  // namespace
