#include "web/text_measure.h"

#include <map>

#include "web/dom.h"

namespace web {
namespace {

val& context() {
  static val canvasContext = Document()
                                 .call<val>("createElement", std::string("canvas"))
                                 .call<val>("getContext", std::string("2d"));
  return canvasContext;
}

struct FontLine {
  float ascent;
  float descent;
};

val element(const char* tag, const std::string& css) {
  val made = Document().call<val>("createElement", std::string(tag));
  made["style"].set("cssText", css);
  return made;
}

// The font's line where the canvas does not tell it (Chrome before 87, Firefox before 116): an
// inline box of text in the font is as high as the font's ascent and descent, the same metrics,
// and a box of no size on its baseline shows where the ascent ends.
FontLine laidOutLine(const std::string& cssFont) {
  static std::map<std::string, FontLine, std::less<>> known;
  if (const auto found = known.find(cssFont); found != known.end()) return found->second;
  val holder = element("div", "position:absolute;left:0;top:0;visibility:hidden");
  val line = element("span", "white-space:pre;line-height:normal;font:" + cssFont);
  val baseline = element("span", "display:inline-block;width:0;height:0;vertical-align:baseline");
  line.call<void>("appendChild", baseline);
  holder.call<void>("appendChild", line);
  val body = Document()["body"];
  body.call<void>("appendChild", holder);
  const val lineBox = line.call<val>("getBoundingClientRect");
  const float ascent =
      baseline.call<val>("getBoundingClientRect")["top"].as<float>() - lineBox["top"].as<float>();
  const FontLine measured{ascent, lineBox["height"].as<float>() - ascent};
  body.call<void>("removeChild", holder);
  return known.emplace(cssFont, measured).first->second;
}

}  // namespace

TextSize MeasureText(const std::string& cssFont, std::string_view utf8) {
  val& canvas = context();
  canvas.set("font", cssFont);
  const val metrics = canvas.call<val>("measureText", std::string(utf8));
  const float width = metrics["width"].as<float>();
  const val ascent = metrics["fontBoundingBoxAscent"];
  if (ascent.isUndefined()) {
    const FontLine line = laidOutLine(cssFont);
    return {width, line.ascent + line.descent, line.ascent};
  }
  const float descent = metrics["fontBoundingBoxDescent"].as<float>();
  return {width, ascent.as<float>() + descent, ascent.as<float>()};
}

}  // namespace web
