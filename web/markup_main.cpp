// Writes the page's markup when the page is built (the build runs this under node): the design
// area with its controls, then, on a line of its own, the keypad's keys.
#include <cstdio>

#include "web/control_markup.h"

int main() {
  std::printf("%s\n%s\n", web::LoadedWindowMarkup().c_str(), web::KeypadMarkup().c_str());
  return 0;
}
