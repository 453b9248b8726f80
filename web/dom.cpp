#include "web/dom.h"

namespace web {

val Document() { return val::global("document"); }

val ById(std::string_view id) { return Document().call<val>("getElementById", std::string(id)); }

void PlaceInTwips(const val& element, float left, float top, float width, float height) {
  // Four short writes: reading the whole style text back to write it again costs more.
  val style = element["style"];
  style.set("left", CssPixels(left));
  style.set("top", CssPixels(top));
  style.set("width", CssPixels(width));
  style.set("height", CssPixels(height));
}

void SetStyle(const val& element, const char* property, const std::string& value) {
  element["style"].call<void>("setProperty", std::string(property), value);
}

void SetAttribute(const val& element, const char* name, const std::string& value) {
  element.call<void>("setAttribute", std::string(name), value);
}

void SetText(const val& element, std::string_view utf8) {
  val target = element;
  target.set("textContent", std::string(utf8));
}

void Listen(const val& target, const char* type, std::string_view control) {
  val::module_property("listen")(target, std::string(type), std::string(control));
}

}  // namespace web
