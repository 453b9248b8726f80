// The Win32 window as the pupil first sees it, held to the design table at the DPI of its
// screen: boxes, fonts, stacking, colours, the equation row, and the window at twice the DPI.
#include <cstdlib>
#include <set>
#include <string>

#include "equation_row_fault.h"
#include "form/answer_box.h"
#include "form/control_table.h"
#include "form/twips.h"
#include "win32/dpi.h"
#include "win32_window_fixture.h"

namespace {

// A control's box in its parent's coordinates.
form::PixelRect placeOf(HWND control) {
  RECT box{};
  GetWindowRect(control, &box);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&box), 2);
  return {box.left, box.top, box.right - box.left, box.bottom - box.top};
}

form::PixelRect designPlace(const form::ControlRow& row, int dpi) {
  return form::ToPixelRect(float(row.left), float(row.top), float(row.width), float(row.height),
                           dpi);
}

SIZE clientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

// The DPI this run's screen has (the Wine prefix of the 192-dpi run says so).
int screenDpi() {
  const char* expected = std::getenv("ROOTS_DRILL_EXPECTED_DPI");
  return expected ? std::atoi(expected) : form::kStandardDpi;
}

// The Win32 window's equation row held to EquationRowFault, its pixels read from the labels.
std::string rowFault(const win32::Form1& window) {
  return EquationRowFault(window.equationRow(), [&](std::size_t label) {
    const form::PixelRect box = placeOf(window.control(form::kEquationLabels[label]));
    return std::pair(box.x, box.x + box.width);
  });
}

LOGFONTW fontOf(HFONT font) {
  LOGFONTW description{};
  GetObjectW(font, sizeof description, &description);
  return description;
}

class WindowAsFirstShown : public Win32WindowTest {
 protected:
  // Every control that never resizes on its design box at this DPI, frame controls in the
  // frame's coordinates; the row after Start; the verdict centred where designed.
  void expectDesignLayout(int dpi) {
    EXPECT_EQ(int(window_->dpi()), dpi);
    const SIZE client = clientSize(window_->hwnd());
    EXPECT_EQ(client.cx, form::ToPixels(form::kClientWidthTwips, dpi));
    EXPECT_EQ(client.cy, form::ToPixels(form::kClientHeightTwips, dpi));
    for (const form::ControlRow& row : form::ControlTable()) {
      if (!control(row.name) || (row.flags & form::kSizesItself)) continue;
      SCOPED_TRACE(row.name);
      EXPECT_EQ(placeOf(control(row.name)), designPlace(row, dpi));
      EXPECT_EQ(GetParent(control(row.name)),
                row.parent == form::Parent::Frame1 ? control("Frame1") : window_->hwnd());
    }
    for (const std::string_view name : form::kEquationLabels) {
      const win32::TwipLabel& label = *window_->label(name);
      EXPECT_EQ(label.fontPixels(), form::FontPixels(label.FontPoints(), dpi)) << name;
    }
    EXPECT_EQ(rowFault(*window_), "");
    const win32::TwipLabel& verdict = *window_->label("Label12");
    EXPECT_FLOAT_EQ(verdict.box().left + verdict.box().width / 2, 6067.5f);
    const form::TwipBox& box = verdict.box();
    EXPECT_EQ(placeOf(verdict.hwnd()),
              form::ToPixelRect(box.left, box.top, box.width, box.height, dpi));
    EXPECT_EQ(
        fontOf(reinterpret_cast<HFONT>(SendMessageW(control("Text4"), WM_GETFONT, 0, 0))).lfHeight,
        -form::FontPixels(18, dpi));
  }

  void solveFirstTask() {
    Start(2, 7);
    Answer("2", "7");
  }
};

TEST_F(WindowAsFirstShown, HasEveryControlOfTheDesignByNameWithAFixedClientArea) {
  std::set<std::string> names;
  for (const form::ControlRow& row : form::ControlTable()) {
    names.insert(row.name);
    const bool windowless =
        row.kind == form::ControlKind::Timer || row.kind == form::ControlKind::Shape;
    EXPECT_EQ(control(row.name) == nullptr, windowless) << row.name;
  }
  EXPECT_EQ(names.size(), 39u);
  const LONG_PTR style = GetWindowLongPtrW(window_->hwnd(), GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the pupil cannot resize the window";
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  wchar_t title[128] = {};
  GetWindowTextW(window_->hwnd(), title, ARRAYSIZE(title));
  EXPECT_EQ(win32::Utf8(title), "Корни квадратного уравнения — устный счёт");
}

// The window as created on this screen: 792 x 568 at 96 dpi, 1584 x 1136 at 192.
TEST_F(WindowAsFirstShown, PlacesEveryControlOnItsDesignBoxAtTheScreensDpi) {
  const int dpi = screenDpi();
  solveFirstTask();
  expectDesignLayout(dpi);
  EXPECT_EQ(placeOf(control("Text1")).x + placeOf(control("Frame1")).x, form::ToPixels(2760, dpi));
}

// Windows tells the window when it moves to a monitor of another DPI; it then redoes its fonts,
// places every control again and takes the size Windows suggests.
TEST_F(WindowAsFirstShown, FollowsTheWindowToAMonitorOfTwiceTheDpi) {
  solveFirstTask();
  const UINT dpi = window_->dpi() == 192 ? 96 : 192;
  const LONG_PTR style = GetWindowLongPtrW(window_->hwnd(), GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrW(window_->hwnd(), GWL_EXSTYLE);
  const SIZE size = win32::WindowSizeForClient(form::ToPixels(form::kClientWidthTwips, int(dpi)),
                                               form::ToPixels(form::kClientHeightTwips, int(dpi)),
                                               DWORD(style), DWORD(exStyle), dpi);
  RECT suggested{};
  GetWindowRect(window_->hwnd(), &suggested);
  suggested.right = suggested.left + size.cx;
  suggested.bottom = suggested.top + size.cy;
  SendMessageW(window_->hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&suggested));
  Pump();
  expectDesignLayout(int(dpi));
  // The next equation is laid out at the new DPI too.
  Next(3, 5);
  EXPECT_EQ(rowFault(*window_), "");
  EXPECT_EQ(window_->label("Lblxx")->fontPixels(), form::FontPixels(54, int(dpi)));
}

TEST_F(WindowAsFirstShown, OffersOnlyStartWithCountersAtZeroAndTheStopwatchStanding) {
  EXPECT_TRUE(shown("Command2"));
  EXPECT_FALSE(shown("Command1"));
  EXPECT_FALSE(shown("Command3"));
  EXPECT_EQ(focus(), control("Command2"));
  for (const char* answer : {"Text4", "Text5"}) {
    EXPECT_FALSE(enabled(answer)) << answer;
    ::SetFocus(control(answer));
    EXPECT_NE(focus(), control(answer)) << answer;
    EXPECT_EQ(SendMessageW(control(answer), EM_GETLIMITTEXT, 0, 0), LRESULT(form::kAnswerBoxLimit))
        << answer;
  }
  for (const char* counter : {"Text1", "Text2", "Text3"}) {
    EXPECT_EQ(text(counter), "0") << counter;
    EXPECT_TRUE(GetWindowLongPtrW(control(counter), GWL_STYLE) & ES_READONLY) << counter;
    ::SetFocus(control(counter));
    EXPECT_NE(focus(), control(counter)) << counter;
  }
  EXPECT_EQ(caption("Label6"), "0");
  EXPECT_EQ(caption("Label4"), "0");
  EXPECT_EQ(caption("Label12"), "");
  EXPECT_EQ(caption("Label14"), "00");
  EXPECT_FALSE(shown("Label15"));
  EXPECT_FALSE(shown("Label16"));
  EXPECT_EQ(caption("Label21"), "0");
  EXPECT_EQ(caption("Label19"), "00");
  EXPECT_FALSE(timerRunning());
}

// The row shows its design captions in the sizes set at load, each label resized about the
// point its alignment keeps: a right-aligned label its right edge, a centred one its centre.
TEST_F(WindowAsFirstShown, ShowsTheDesignEquationInTheLoadSizesAboutEachAlignmentPoint) {
  struct Expected {
    const char* name;
    const char* caption;
    float points;
    float keptPoint;  // right edge or centre, twips
    bool right;
  };
  const Expected rows[] = {
      {"Lblxx", "x", 54, 2880 + 855 / 2.0f, false}, {"LblSt2", "2", 32, 3720 + 495 / 2.0f, false},
      {"Lblb", "+p", 54, 4215 + 1680, true},        {"Lblx", "x", 54, 6000 + 855 / 2.0f, false},
      {"Lblc", "+q", 54, 6885 + 1680, true},        {"Lbl0", "=0", 54, 8640 + 1680 / 2.0f, false},
      {"Lbla", "", 54, 1935 + 840, true},
  };
  for (const Expected& row : rows) {
    SCOPED_TRACE(row.name);
    const win32::TwipLabel& shown = *window_->label(row.name);
    EXPECT_EQ(shown.Caption(), row.caption);
    EXPECT_EQ(shown.FontPoints(), row.points);
    EXPECT_EQ(fontOf(shown.font()).lfHeight, -form::FontPixels(row.points, screenDpi()));
    const float kept =
        shown.LeftTwips() + (row.right ? shown.WidthTwips() : shown.WidthTwips() / 2);
    EXPECT_FLOAT_EQ(kept, row.keptPoint);
    EXPECT_EQ(shown.box().top, 3600);
  }
  EXPECT_LT(window_->label("Lblb")->WidthTwips(), 1680);  // 54 points instead of 69.75
}

// Fonts by the design's family, weight, underline and character set; the captions of the
// equation's coefficients and the "x =" labels are plain ASCII.
TEST_F(WindowAsFirstShown, AsksForTheDesignFonts) {
  struct Expected {
    const char* name;
    const wchar_t* family;
    LONG weight;
    bool underline;
    BYTE charset;
  };
  const Expected rows[] = {
      {"Label17", L"Courier New", 700, true, RUSSIAN_CHARSET},
      {"Label12", L"Arial Black", 900, false, RUSSIAN_CHARSET},
      {"Label8", L"Courier New", 700, false, ANSI_CHARSET},
      {"Lblb", L"Courier New", 700, false, ANSI_CHARSET},
      {"Lblxx", L"Courier New", 700, false, RUSSIAN_CHARSET},
      {"Label1", L"MS Sans Serif", 700, false, RUSSIAN_CHARSET},
  };
  for (const Expected& row : rows) {
    SCOPED_TRACE(row.name);
    const LOGFONTW font = fontOf(window_->label(row.name)->font());
    EXPECT_STREQ(font.lfFaceName, row.family);
    EXPECT_EQ(font.lfWeight, row.weight);
    EXPECT_EQ(bool(font.lfUnderline), row.underline);
    EXPECT_EQ(font.lfCharSet, row.charset);
  }
  const LOGFONTW button =
      fontOf(reinterpret_cast<HFONT>(SendMessageW(control("Command2"), WM_GETFONT, 0, 0)));
  EXPECT_STREQ(button.lfFaceName, L"Arial");
  EXPECT_EQ(button.lfHeight, -form::FontPixels(14.25f, screenDpi()));
}

// Stacking: the subscript digits lie in front of their "x =" labels, buttons and boxes in front
// of every label, the row's layer behind everything.
TEST_F(WindowAsFirstShown, StacksEarlierDesignRowsInFront) {
  const auto depth = [&](const char* name) {  // 0 in front
    int depth = 0;
    for (HWND above = GetWindow(control(name), GW_HWNDPREV); above;
         above = GetWindow(above, GW_HWNDPREV)) {
      ++depth;
    }
    return depth;
  };
  EXPECT_LT(depth("Label9"), depth("Label8"));
  EXPECT_LT(depth("Label10"), depth("Label11"));
  EXPECT_LT(depth("Label5"), depth("Label4"));
  EXPECT_LT(depth("Text4"), depth("Label21"));
  EXPECT_LT(depth("Command2"), depth("Label12"));
  EXPECT_LT(depth("Frame1"), depth("Label21"));
  EXPECT_EQ(GetWindow(control(win32::kEquationArea), GW_HWNDNEXT), nullptr);
  for (const char* name : {"Label9", "Text4", "Label4"}) {
    EXPECT_TRUE(GetWindowLongPtrW(control(name), GWL_STYLE) & WS_CLIPSIBLINGS) << name;
  }
}

// The drill's icon from the program's resources, at the size of the screen's DPI.
TEST_F(WindowAsFirstShown, CarriesTheDrillIconAtTheSizeOfTheDpi) {
  const auto icon = reinterpret_cast<HICON>(SendMessageW(window_->hwnd(), WM_GETICON, ICON_BIG, 0));
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP colours{};
  GetObjectW(info.hbmColor, sizeof colours, &colours);
  EXPECT_EQ(colours.bmWidth, win32::SystemMetric(SM_CXICON, window_->dpi()));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  EXPECT_NE(SendMessageW(window_->hwnd(), WM_GETICON, ICON_SMALL, 0), 0);
}

// The window's picture, as Windows has it on screen.
class WindowPicture : public Win32WindowTest {
 protected:
  void SetUp() override {
    Win32WindowTest::SetUp();
    RedrawWindow(window_->hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  COLORREF pixel(int x, int y) {
    const HDC dc = GetDC(window_->hwnd());
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window_->hwnd(), dc);
    return colour;
  }
  // A point of a control, in the window's client coordinates.
  POINT at(const char* name, int x, int y) {
    POINT point{x, y};
    MapWindowPoints(control(name), window_->hwnd(), &point, 1);
    return point;
  }
};

// Faces and borders as designed: a flat button face, the 5-pixel outline of the grade, the
// window's pink around them, the counters on pale green, a label opaque on its strip.
TEST_F(WindowPicture, PaintsFacesOutlineAndBoxesInTheirColours) {
  const POINT inside = at("Command2", 6, 6);
  EXPECT_EQ(pixel(inside.x, inside.y), RGB(0x80, 0xFF, 0xFF));
  const form::PixelRect shape = designPlace(*form::FindControl("Shape1"), int(window_->dpi()));
  const int line = win32::ScaledPixels(5, window_->dpi());
  const int middle = shape.y + shape.height / 2;
  EXPECT_EQ(pixel(shape.x, middle), RGB(0xC0, 0x00, 0x00));
  EXPECT_EQ(pixel(shape.x + line - 1, middle), RGB(0xC0, 0x00, 0x00));
  EXPECT_EQ(pixel(shape.x + line + 1, middle), RGB(0xFF, 0xC0, 0xFF));
  EXPECT_EQ(pixel(shape.x - 2, middle), RGB(0xFF, 0xC0, 0xFF));
  const POINT counter = at("Text1", 4, 4);
  EXPECT_EQ(pixel(counter.x, counter.y), RGB(0xC0, 0xFF, 0xC0));
  const POINT strip = at("Label20", 0, 0);
  EXPECT_EQ(pixel(strip.x, strip.y), RGB(0xFF, 0xFF, 0xC0));
}

// An EDIT writes its line at the top; the boxes hold theirs in the middle, as the Linux window
// does, with the band above the line in the box's colour.
TEST_F(WindowPicture, CentresTheLineOfEveryBoxBetweenItsEdges) {
  for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5"}) {
    SCOPED_TRACE(name);
    RECT outer{};
    GetWindowRect(control(name), &outer);
    RECT client{};
    GetClientRect(control(name), &client);
    MapWindowPoints(control(name), HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    const int above = client.top - outer.top;
    const int below = outer.bottom - client.bottom;
    EXPECT_LE(std::abs(above - below), 1);
    EXPECT_GT(above, win32::ScaledPixels(4, window_->dpi()));
    POINT band{(client.left + client.right) / 2, outer.top + above - 1};
    ScreenToClient(window_->hwnd(), &band);
    const form::Rgb back = form::FindControl(name)->back;
    EXPECT_EQ(pixel(band.x, band.y), RGB(back >> 16, (back >> 8) & 0xFF, back & 0xFF));
  }
}

// The subscript 1 is visible in the blank of "x =", in its own colour, on top.
TEST_F(WindowPicture, ShowsTheSubscriptDigitsOverTheirLabels) {
  RECT digit{};
  GetClientRect(control("Label9"), &digit);
  int blue = 0;
  for (int x = 0; x < digit.right; x += 2) {
    for (int y = 0; y < digit.bottom; y += 2) {
      const POINT point = at("Label9", x, y);
      blue += pixel(point.x, point.y) == RGB(0, 0, 0xFF);
    }
  }
  EXPECT_GT(blue, 5);
}

}  // namespace
