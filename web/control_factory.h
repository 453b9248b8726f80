// Makes every control of the design table an element of its own kind, named by its id: buttons
// and boxes the browser's own (<button>, <input>), so focus, keys and screen readers come with
// them; labels, the frame and the shape as boxes. They are stacked as designed: the document's
// order is the stacking, back to front.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "web/dom.h"
#include "web/twip_label.h"

namespace web {

// The layer the seven labels of the equation row stand on: to a screen reader, the equation.
inline constexpr char kEquationArea[] = "EquationArea";

struct Controls {
  std::map<std::string, val, std::less<>> elements;  // by name; the timer has none
  std::map<std::string, std::unique_ptr<TwipLabel>, std::less<>> labels;
};

// The controls on the design area, the page's element of the window's client area.
Controls CreateControls(const val& designArea);

}  // namespace web
