// Finds the main window in a screenshot of a whole desktop and checks that its whole client area
// shows, in the design's colours: the pink client area at its size, and the faces of the
// controls that never change their box at their places.
//   window-shot-check shot.png
// Exits 0 when it does, 1 (saying what is wrong) when it does not.
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <map>
#include <string_view>

#include "form/control_table.h"
#include "window/twips.h"

namespace {

// The client area: the rows of the window's own pink, which nothing else on a desktop shows in
// long runs (the window's icon in a title bar shows a little of it), and the columns it spans
// there.
QRect clientArea(const QImage& shot, int designedWidth) {
  QRect area;
  for (int y = 0; y < shot.height(); ++y) {
    QRect row;
    for (int x = 0; x < shot.width(); ++x) {
      if ((shot.pixel(x, y) | 0xFF000000) == (0xFF000000 | form::kWindowBack))
        row |= QRect(x, y, 1, 1);
    }
    if (row.width() >= designedWidth / 2) area |= row;
  }
  return area;
}

// A control's box in the window's pixels; Frame1's controls stand in the frame's coordinates.
QRect boxOf(const form::ControlRow& row) {
  float left = row.left;
  float top = row.top;
  if (row.parent == form::Parent::Frame1) {
    for (const form::ControlRow& frame : form::ControlTable()) {
      if (frame.kind == form::ControlKind::Frame) left += frame.left, top += frame.top;
    }
  }
  return twips::toPixelRect(left, top, row.width, row.height);
}

// The colour a control shows most: its face, or for the shape its line, measured inside the edge
// of buttons and boxes.
QRgb commonestColour(const QImage& shot, const QRect& box) {
  std::map<QRgb, int> counts;
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) ++counts[shot.pixel(x, y) | 0xFF000000];
  }
  return std::ranges::max_element(counts, {}, &std::pair<const QRgb, int>::second)->first;
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s shot.png\n", argv[0]);
    return 2;
  }
  const QImage shot(QString::fromLocal8Bit(argv[1]));
  if (shot.isNull()) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  const QSize designed(form::ToPixels(form::kClientWidthTwips),
                       form::ToPixels(form::kClientHeightTwips));
  const QRect area = clientArea(shot, designed.width());
  if (area.size() != designed) {
    std::fprintf(stderr, "the client area shows %dx%d pixels at %d,%d, not %dx%d\n", area.width(),
                 area.height(), area.x(), area.y(), designed.width(), designed.height());
    return 1;
  }
  int wrong = 0;
  for (const form::ControlRow& row : form::ControlTable()) {
    // Self-sizing labels leave their design box; hidden controls and the timer show nothing.
    if (row.kind == form::ControlKind::Timer || (row.flags & (form::kSizesItself | form::kHidden)))
      continue;
    if (row.name == std::string_view("Command1")) continue;  // the load hides it
    const QRect box = boxOf(row).translated(area.topLeft());
    const bool shape = row.kind == form::ControlKind::Shape;
    const QRgb expected = 0xFF000000 | (shape ? row.text : row.back);
    const QRgb seen = shape ? shot.pixel(box.topLeft() + QPoint(2, 2)) | 0xFF000000
                            : commonestColour(shot, box.adjusted(3, 3, -3, -3));
    if (seen != expected) {
      std::fprintf(stderr, "%s shows #%06X at %d,%d instead of #%06X\n", row.name, seen & 0xFFFFFF,
                   box.x(), box.y(), expected & 0xFFFFFF);
      ++wrong;
    }
  }
  if (wrong == 0) std::printf("the whole client area shows at %d,%d\n", area.x(), area.y());
  return wrong == 0 ? 0 : 1;
}
