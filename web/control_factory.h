// Takes the controls the page was built with (web/control_markup.h) by their design names, each
// an element of its own kind: buttons and boxes the browser's own (<button>, <input>), so focus,
// keys and screen readers come with them; labels, the frame and the shape as boxes.
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

Controls TakeControls();

}  // namespace web
