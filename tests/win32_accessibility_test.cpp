// What a screen reader finds through Windows' own accessibility: names for every control a pupil
// needs, the equation as one static text, and the news of each step told as it happens.
#include <oleacc.h>
#include <uiautomationcore.h>

#include <algorithm>
#include <vector>

#include "form/spoken.h"
#include "win32/ui_automation.h"
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

// What a screen reader is told: the text of each UI Automation notification, and the name of the
// object of each MSAA alert, read as a reader's hook reads it.
std::vector<std::string> notified;
std::vector<std::string> alerted;

HRESULT WINAPI notify(IRawElementProviderSimple*, int, int, BSTR text, BSTR) {
  notified.push_back(win32::Utf8(text));
  return S_OK;
}
BOOL WINAPI clientsListen() { return TRUE; }
HRESULT WINAPI noHost(HWND, IRawElementProviderSimple** host) {
  *host = nullptr;
  return S_OK;
}

void CALLBACK hearAlert(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  IAccessible* accessible = nullptr;
  VARIANT which{};
  if (AccessibleObjectFromEvent(window, object, child, &accessible, &which) != S_OK) return;
  BSTR name = nullptr;
  if (accessible->get_accName(which, &name) == S_OK) alerted.push_back(win32::Utf8(name));
  SysFreeString(name);
  accessible->Release();
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

// The rule of what is news is form::News's. Here the window tells it the way the pupil's Windows
// listens: by UI Automation notifications where Windows has them, by MSAA alerts where it does not
// (Windows 7 and 8), never both; and nothing before a screen reader has asked for anything.
TEST_F(ScreenReader, IsToldTheNewsOfEachStepTheWayItsWindowsListens) {
  const win32::UiaFunctions notifications{clientsListen, notify, noHost, nullptr};
  const win32::UiaFunctions none{};
  const std::vector<std::string> news = {"Неправильно!", "Неправильно!", "Правильно!",
                                         form::SpokenEquation(7, 12)};
  struct Case {
    const char* windows;
    const win32::UiaFunctions* uia;
    std::vector<std::string> notified, alerted;
  };
  for (const Case& windows : {Case{"Windows 10, version 1709, and later", &notifications, news, {}},
                              Case{"Windows 7 and 8", &none, {}, news}}) {
    SCOPED_TRACE(windows.windows);
    win32::SetUiaFunctions(windows.uia);
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, hearAlert,
                        GetCurrentProcessId(), GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    Load(kRow2143);
    notified.clear();
    alerted.clear();
    Start(2, 7);
    Answer("1", "1");
    EXPECT_TRUE(notified.empty() && alerted.empty()) << "no reader has asked yet";

    Accessible(control("Text4"));  // a reader asks
    Answer("1", "1");
    Answer("1", "1");
    Answer("2", "7");
    Next(3, 4);
    EXPECT_EQ(notified, windows.notified);
    EXPECT_EQ(alerted, windows.alerted);
    UnhookWinEvent(hook);
    win32::SetUiaFunctions(nullptr);
  }
}

}  // namespace
