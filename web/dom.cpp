#include "web/dom.h"

#include <cmath>
#include <cstdlib>

#include "form/twips.h"

namespace web {

val Document() { return val::global("document"); }

val ById(std::string_view id) { return Document().call<val>("getElementById", std::string(id)); }

val MakeElement(const char* tag, std::string_view id, const val& parent) {
  val element = Document().call<val>("createElement", std::string(tag));
  if (!id.empty()) element.set("id", std::string(id));
  parent.call<void>("appendChild", element);
  return element;
}

std::string CssPixels(float twips) { return PixelsText(twips / form::kTwipsPerPixel); }

// Whole and thousandths of a pixel, without printf: its floating-point formatting would be the
// largest part of the page's code.
std::string PixelsText(float pixels) {
  const long thousandths = std::lround(pixels * 1000);
  const long whole = std::labs(thousandths) / 1000;
  std::string fraction = std::to_string(std::labs(thousandths) % 1000 + 1000).substr(1);
  fraction.erase(fraction.find_last_not_of('0') + 1);  // "395px" rather than "395.000px"
  return (thousandths < 0 ? "-" : "") + std::to_string(whole) +
         (fraction.empty() ? "" : "." + fraction) + "px";
}

std::string CssColour(form::Rgb colour) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string text = "#";
  for (int shift = 20; shift >= 0; shift -= 4) text += kHex[(colour >> shift) & 0xF];
  return text;
}

void PlaceInTwips(const val& element, float left, float top, float width, float height) {
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
