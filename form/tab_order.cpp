#include "form/tab_order.h"

#include <algorithm>

#include "form/control_table.h"

namespace form {

std::vector<std::string_view> TabOrder() {
  std::vector<const ControlRow*> focusable;
  for (const ControlRow& row : ControlTable()) {
    if (row.kind == ControlKind::Button || row.kind == ControlKind::TextBox) {
      focusable.push_back(&row);
    }
  }
  std::stable_sort(
      focusable.begin(), focusable.end(),
      [](const ControlRow* a, const ControlRow* b) { return a->tabIndex < b->tabIndex; });
  std::vector<std::string_view> order;
  for (const ControlRow* row : focusable) order.emplace_back(row->name);
  return order;
}

std::string_view NextInTabOrder(std::string_view from, bool forward,
                                const std::function<bool(std::string_view)>& takesFocus) {
  const std::vector<std::string_view> order = TabOrder();
  const auto count = static_cast<std::ptrdiff_t>(order.size());
  const auto found = std::find(order.begin(), order.end(), from);
  // From outside the order, the step onto the first (or last) control is the first step.
  std::ptrdiff_t at = found != order.end() ? found - order.begin() : forward ? -1 : count;
  for (std::ptrdiff_t step = 0; step < count; ++step) {
    at = ((forward ? at + 1 : at - 1) % count + count) % count;
    if (order[static_cast<std::size_t>(at)] == from) break;
    if (takesFocus(order[static_cast<std::size_t>(at)])) return order[static_cast<std::size_t>(at)];
  }
  return found != order.end() && takesFocus(from) ? from : std::string_view();
}

}  // namespace form
