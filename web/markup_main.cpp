// Writes, when the page is built (the build runs this under node), what the page shows before its
// program starts, as one JSON object for web/make_page.py: the window's title and colour, the
// window with its controls, and the keypad's keys.
#include <cstdio>
#include <string>
#include <string_view>

#include "form/control_table.h"
#include "web/control_markup.h"
#include "web/css.h"

namespace {

std::string jsonString(std::string_view text) {
  std::string json = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') json += '\\';
    json += c;
  }
  return json + "\"";
}

}  // namespace

int main() {
  const std::string json = "{\"title\": " + jsonString(form::kWindowTitle) +
                           ", \"windowBack\": " + jsonString(web::CssColour(form::kWindowBack)) +
                           ", \"window\": " + jsonString(web::LoadedWindowMarkup()) +
                           ", \"keypad\": " + jsonString(web::KeypadMarkup()) + "}";
  std::puts(json.c_str());
  return 0;
}
