// The controls of the main window as designed: one row per control, listed front to back.
#pragma once

#include <QColor>
#include <span>

#include "window/design_fonts.h"

enum class ControlKind { Timer, Button, TextBox, Frame, Label, Shape };

// What a control stands on. Frame1's controls are placed in the frame's coordinates; the labels
// of the equation row in the window's, on a transparent layer that lets a screen reader read the
// whole equation as one element.
enum class Parent { Window, Frame1, EquationRow };

// The platform's own colour for the role (button text, box text, label text).
inline constexpr QRgb kSystemColour = 0;
constexpr QRgb rgb(unsigned hex) { return 0xFF000000u | hex; }

enum ControlFlags : unsigned {
  kPlain = 0,
  kHidden = 1,       // created hidden
  kDisabled = 2,     // created disabled
  kSizesItself = 4,  // a label that fits its box to its caption
  // A label whose fixed box may become too narrow for its caption (the total minutes past 99):
  // the caption is then drawn in a font just small enough to show it whole.
  kShrinksCaption = 8,
};

struct ControlRow {
  const char* name;
  ControlKind kind;
  Parent parent;
  int left, top, width, height;  // twips
  const char* caption;           // caption or text, UTF-8
  designfonts::FontSpec font;
  QRgb text;  // text colour; the line colour of a shape
  QRgb back;
  Qt::Alignment align;
  unsigned flags;
  int tabIndex;
  int intervalMs = 0;  // timer only
  int linePixels = 0;  // shape only
};

// Front to back: where two labels, or a label and the shape, overlap, the earlier row is drawn
// over the later one. Buttons, boxes and the frame are always drawn over labels and the shape.
std::span<const ControlRow> ControlTable();

// The window itself.
inline constexpr int kClientWidthTwips = 11880;
inline constexpr int kClientHeightTwips = 8520;
inline constexpr QRgb kWindowBack = rgb(0xFFC0FF);
