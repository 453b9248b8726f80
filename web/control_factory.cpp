#include "web/control_factory.h"

#include "form/control_table.h"

namespace web {

Controls TakeControls() {
  Controls controls;
  controls.elements.emplace(kEquationArea, ById(kEquationArea));
  // The row's labels stand on their layer, whose top is the row's.
  const float rowTop = float(form::FindControl(form::kEquationLabels[0])->top);
  for (const form::ControlRow& row : form::ControlTable()) {
    if (row.kind == form::ControlKind::Timer) continue;
    val element = ById(row.name);
    if (row.kind == form::ControlKind::Label) {
      const float originTop = row.parent == form::Parent::EquationRow ? rowTop : 0;
      controls.labels.emplace(row.name, std::make_unique<TwipLabel>(element, row, originTop));
    }
    controls.elements.emplace(row.name, std::move(element));
  }
  return controls;
}

}  // namespace web
