// The controls of the main window as designed: one row per control, listed front to back. Both
// windows, Qt's and Windows', are built from this one table.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace form {

enum class ControlKind { Timer, Button, TextBox, Frame, Label, Shape };

// What a control stands on. Frame1's controls are placed in the frame's coordinates; the labels
// of the equation row in the window's, on a transparent layer that lets a screen reader read the
// whole equation as one element.
enum class Parent { Window, Frame1, EquationRow };

enum class Align { None, Left, Centre, Right };

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;
// Outside every 0xRRGGBB: the platform's own colour for the role (button text, box text, label
// text), which each window takes from the classic light desktop.
inline constexpr Rgb kSystemColour = 0xFF000000u;

// The character sets of the design's fonts: the Russian captions need Cyrillic; the equation's
// coefficients and the "x =" labels are plain ASCII.
enum class Charset { Cyrillic, Western };

struct FontSpec {
  const char* family;  // "Courier New", "Arial", "Arial Black" or "MS Sans Serif"
  float points;
  int weight;  // 400 regular, 700 bold, 900 black
  bool underline = false;
  Charset charset = Charset::Cyrillic;
};

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
  FontSpec font;
  Rgb text;  // text colour; the line colour of a shape
  Rgb back;
  Align align;
  unsigned flags;
  int tabIndex;
  int intervalMs = 0;  // timer only
  int linePixels = 0;  // shape only
};

// Front to back: where two labels, or a label and the shape, overlap, the earlier row is drawn
// over the later one. Buttons, boxes and the frame are always drawn over labels and the shape.
std::span<const ControlRow> ControlTable();

// The row of the named control; nullptr for a name the table does not have.
const ControlRow* FindControl(std::string_view name);

// The controls standing on one parent (the timer stands nowhere), front to back: buttons, boxes
// and the frame always over the labels and the shape; otherwise an earlier row over a later one.
std::vector<const ControlRow*> FrontToBack(Parent parent);

// The window itself.
inline constexpr char kWindowTitle[] = "Корни квадратного уравнения — устный счёт";
inline constexpr int kClientWidthTwips = 11880;
inline constexpr int kClientHeightTwips = 8520;
inline constexpr Rgb kWindowBack = 0xFFC0FF;

}  // namespace form
