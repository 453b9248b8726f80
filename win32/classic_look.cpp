#include "win32/classic_look.h"

#include "win32/dpi.h"

namespace win32 {
namespace {

// One ring of an edge, `width` pixels wide: top and left in one colour, bottom and right (with
// the corners they share with the others) in another.
void drawRing(HDC dc, const RECT& box, COLORREF topLeft, COLORREF bottomRight, int width) {
  FillColour(dc, {box.left, box.top, box.right, box.top + width}, topLeft);
  FillColour(dc, {box.left, box.top, box.left + width, box.bottom}, topLeft);
  FillColour(dc, {box.left, box.bottom - width, box.right, box.bottom}, bottomRight);
  FillColour(dc, {box.right - width, box.top, box.right, box.bottom}, bottomRight);
}

}  // namespace

void FillColour(HDC dc, const RECT& box, COLORREF colour) {
  const COLORREF previous = SetDCBrushColor(dc, colour);
  FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  SetDCBrushColor(dc, previous);
}

void DrawClassicEdge(HDC dc, const RECT& box, Edge edge, UINT dpi) {
  const int width = ScaledPixels(1, dpi);
  const RECT inner{box.left + width, box.top + width, box.right - width, box.bottom - width};
  switch (edge) {
    case Edge::Raised:
      drawRing(dc, box, classic::kHighlight, classic::kDarkShadow, width);
      drawRing(dc, inner, classic::kLight, classic::kShadow, width);
      break;
    case Edge::Sunken:
      drawRing(dc, box, classic::kDarkShadow, classic::kHighlight, width);
      drawRing(dc, inner, classic::kShadow, classic::kLight, width);
      break;
    case Edge::Etched:
      drawRing(dc, box, classic::kShadow, classic::kHighlight, width);
      drawRing(dc, inner, classic::kHighlight, classic::kShadow, width);
      break;
  }
}

}  // namespace win32
