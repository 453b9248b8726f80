#include "web/text_measure.h"

#include "web/dom.h"

namespace web {
namespace {

val& context() {
  static val canvasContext = Document()
                                 .call<val>("createElement", std::string("canvas"))
                                 .call<val>("getContext", std::string("2d"));
  return canvasContext;
}

}  // namespace

TextSize MeasureText(const std::string& cssFont, std::string_view utf8) {
  val& canvas = context();
  canvas.set("font", cssFont);
  const val metrics = canvas.call<val>("measureText", std::string(utf8));
  const float ascent = metrics["fontBoundingBoxAscent"].as<float>();
  const float descent = metrics["fontBoundingBoxDescent"].as<float>();
  return {metrics["width"].as<float>(), ascent + descent, ascent};
}

}  // namespace web
