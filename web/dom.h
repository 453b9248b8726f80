// The page's dealings with the DOM, through emscripten::val, in a few small functions: find an
// element, place it in twips, set its caption, style and attributes, and listen to its events.
#pragma once

#include <emscripten/val.h>

#include <string>
#include <string_view>

#include "web/css.h"

namespace web {

using emscripten::val;

val Document();
val ById(std::string_view id);

// Places an element on its box in twips: the one place where twips become CSS pixels, 15 to a
// pixel. The whole design area is scaled at once, so nothing here knows the screen.
void PlaceInTwips(const val& element, float left, float top, float width, float height);

void SetStyle(const val& element, const char* property, const std::string& value);
void SetAttribute(const val& element, const char* name, const std::string& value);
void SetText(const val& element, std::string_view utf8);

// The page's events reach the window through one function (web/main.cpp): each listener calls
// it with the control's name and the event.
void Listen(const val& target, const char* type, std::string_view control);

}  // namespace web
