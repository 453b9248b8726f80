// Where Tab and Shift+Tab take the focus, for a window that moves it itself: through the buttons
// and boxes in the order of their tab index, skipping those that cannot take it now.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

namespace form {

// The buttons and boxes of the table, in tab order.
std::vector<std::string_view> TabOrder();

// The control Tab (forward) or Shift+Tab moves to from `from`: the next one round the tab order
// that takes the focus now; `from` itself when no other does, and "" when none at all does. From
// outside the order (the window itself) Tab starts at the beginning, Shift+Tab at the end.
std::string_view NextInTabOrder(std::string_view from, bool forward,
                                const std::function<bool(std::string_view)>& takesFocus);

}  // namespace form
