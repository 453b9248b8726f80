// Twips (form/twips.h) mapped to Qt's logical pixels, which Qt's high-DPI scaling then maps to
// device pixels, so the window keeps its proportions at any scale.
#pragma once

#include <QRect>

#include "form/label_box.h"
#include "form/twips.h"

namespace twips {

inline QRect toPixelRect(float left, float top, float width, float height) {
  const form::PixelRect pixels = form::ToPixelRect(left, top, width, height);
  return {pixels.x, pixels.y, pixels.width, pixels.height};
}

inline QRect toPixelRect(const form::TwipBox& box) {
  return toPixelRect(box.left, box.top, box.width, box.height);
}

}  // namespace twips
