// GoogleTest entry for the Win32 window tests: the process as the program sets itself up (DPI
// awareness, or the DPI of Windows 7 and 8 when asked), COM for the tests that ask for the window's
// objects as a screen reader does, and a double-click interval the tests choose.
#include <windows.h>

#include <gtest/gtest.h>
#include <objbase.h>

#include <cstdlib>

#include "win32/dpi.h"

namespace {

// Next takes no press until a double-click interval has passed since it appeared. Tests that are
// not about that wait a millisecond; those that are set an interval of their own. The setting is
// the Wine session's (or the desktop's), so it is given back at the end.
class ShortDoubleClick : public testing::Environment {
 public:
  void SetUp() override {
    saved_ = GetDoubleClickTime();
    SetDoubleClickTime(1);
  }
  void TearDown() override { SetDoubleClickTime(saved_); }

 private:
  UINT saved_ = 500;
};

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
  // ROOTS_DRILL_WINDOWS7_DPI=1: the window on the DPI roads of Windows 7 and 8
  // (tests/CMakeLists.txt runs the layout tests so at several DPIs).
  if (const char* road = std::getenv("ROOTS_DRILL_WINDOWS7_DPI"); road && *road == '1') {
    win32::HideNewerDpiFunctions();
  }
  win32::EnablePerMonitorDpiAwareness();
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new ShortDoubleClick);
  const int status = RUN_ALL_TESTS();
  CoUninitialize();
  return status;
}
