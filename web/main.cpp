// The page's entry: the shell calls start() once the page's fonts have loaded, and onEvent()
// for every event of the controls it listens to (web/dom.h, Listen).
#include <emscripten/bind.h>

#include <memory>
#include <string>

#include "web/form1.h"
#include "web/keypad.h"

namespace {

std::unique_ptr<web::Form1> window;

void start() {
  window = std::make_unique<web::Form1>();
  for (const web::KeypadKey& key : web::KeypadKeys()) {
    web::Listen(web::ById(key.name), "click", key.name);
  }
  web::val::global("performance").call<void>("mark", std::string("roots-drill-ready"));
}

void onEvent(const std::string& control, const web::val& event) {
  if (window) window->OnEvent(control, event);
}

}  // namespace

EMSCRIPTEN_BINDINGS(page) {
  emscripten::function("start", &start);
  emscripten::function("onEvent", &onEvent);
}
