// What a screen reader finds through Windows' own accessibility: names for every control a pupil
// needs, the equation as one static text, and the verdict announced when it changes.
#include <oleacc.h>

#include <algorithm>
#include <vector>

#include "win32_window_fixture.h"

namespace {

// The control's accessible object, as a screen reader asks for it.
struct Accessible {
  explicit Accessible(HWND control) {
    AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                               reinterpret_cast<void**>(&object));
  }
  ~Accessible() {
    if (object) object->Release();
  }
  std::string name() const {
    BSTR name = nullptr;
    if (!object || object->get_accName(self(), &name) != S_OK) return "<none>";
    const std::string utf8 = win32::Utf8(name);
    SysFreeString(name);
    return utf8;
  }
  LONG role() const {
    VARIANT role{};
    if (object) object->get_accRole(self(), &role);
    return role.vt == VT_I4 ? role.lVal : -1;
  }
  static VARIANT self() {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
  }
  IAccessible* object = nullptr;
};

// Announcements a screen reader would hear, caught by a hook like the one a reader sets.
std::vector<std::pair<DWORD, HWND>> heard;
void CALLBACK hear(HWINEVENTHOOK, DWORD event, HWND control, LONG, LONG, DWORD, DWORD) {
  heard.emplace_back(event, control);
}

class ScreenReader : public Win32WindowTest {
 protected:
  std::string spoken(const char* name) { return Accessible(control(name)).name(); }
};

TEST_F(ScreenReader, FindsEveryControlAPupilNeedsByName) {
  Start(2, 7);
  Tick(65);
  EXPECT_EQ(spoken("Text4"), "Первый корень");
  EXPECT_EQ(spoken("Text5"), "Второй корень");
  EXPECT_EQ(spoken("Text1"), "Решено всего");
  EXPECT_EQ(spoken("Text2"), "С первой попытки");
  EXPECT_EQ(spoken("Text3"), "Ошибочных попыток");
  EXPECT_EQ(spoken("Label6"), "Средний балл: 0");
  EXPECT_EQ(spoken("Label4"), "Оценка: 0");
  EXPECT_EQ(spoken("Label14"), "Время задания: 1 мин 05 сек");
  EXPECT_EQ(spoken("Label21"), "Суммарное время: 0 мин 00 сек");
  EXPECT_EQ(spoken("Command2"), "Старт");
  EXPECT_EQ(Accessible(control("Text4")).role(), ROLE_SYSTEM_TEXT);
  Answer("7", "2");
  EXPECT_EQ(spoken("Label12"), "Правильно!");
  Next(3, 5);
  EXPECT_EQ(spoken("Label14"), "Время задания: 00 сек");
  EXPECT_EQ(spoken("Label21"), "Суммарное время: 1 мин 05 сек");
}

// The row is one element: its name speaks the equation and its seven labels are not separate
// stops for the reader.
TEST_F(ScreenReader, ReadsTheEquationRowAsOneStaticText) {
  const HWND row = control(win32::kEquationArea);
  EXPECT_EQ(Accessible(row).name(), "x в квадрате плюс p x плюс q равно нулю");
  Start(2, 7);
  const Accessible equation(row);
  EXPECT_EQ(equation.name(), "x в квадрате минус 9 x плюс 14 равно нулю");
  EXPECT_EQ(equation.role(), ROLE_SYSTEM_STATICTEXT);
  ASSERT_NE(equation.object, nullptr);
  LONG children = -1;
  equation.object->get_accChildCount(&children);
  EXPECT_EQ(children, 0);
  // It stands where the equation stands, not over the whole window.
  LONG left = 0, top = 0, width = 0, height = 0;
  ASSERT_EQ(equation.object->accLocation(&left, &top, &width, &height, Accessible::self()), S_OK);
  const RECT location{left, top, left + width, top + height};
  for (const char* label : {"Lblxx", "Lbl0"}) {
    RECT box{};
    GetWindowRect(control(label), &box);
    EXPECT_TRUE(PtInRect(&location, POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2}))
        << label;
  }
  RECT client{};
  GetClientRect(window_->hwnd(), &client);
  EXPECT_LT(height, client.bottom / 2);
}

TEST_F(ScreenReader, HearsEveryVerdictAnnounced) {
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, hear, GetCurrentProcessId(),
                      GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  Start(2, 7);
  heard.clear();
  const auto alerts = [&] {
    Pump();
    return std::count(heard.begin(), heard.end(),
                      std::pair(DWORD(EVENT_SYSTEM_ALERT), control("Label12")));
  };
  Answer("1", "1");
  EXPECT_EQ(alerts(), 1);
  Answer("2", "7");
  EXPECT_EQ(alerts(), 2);
  Next(3, 4);  // the verdict is only cleared: nothing to announce
  EXPECT_EQ(alerts(), 2);
  UnhookWinEvent(hook);
}

}  // namespace
