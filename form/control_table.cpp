#include "form/control_table.h"

#include <algorithm>
#include <array>

namespace form {
namespace {

using enum ControlKind;
constexpr Parent kWin = Parent::Window;
constexpr Parent kFrm = Parent::Frame1;
constexpr Parent kRow = Parent::EquationRow;
constexpr Align kLeft = Align::Left;
constexpr Align kCentre = Align::Centre;
constexpr Align kRight = Align::Right;
constexpr Align kNone = Align::None;
constexpr Rgb kSystem = kSystemColour;
// The timer and the shape show no text; they carry the window's small default font.
constexpr FontSpec kNoText = {"MS Sans Serif", 8.25, 400};
// The equation's coefficients and the "x =" labels are plain ASCII.
constexpr FontSpec kCourierBigWestern = {"Courier New", 69.75, 700, false, Charset::Western};

// clang-format off
constexpr std::array kControls = std::to_array<ControlRow>({
// name       kind     on     left   top    width  height caption                    font                            text colour back colour align    flags            tab
{"Timer1",   Timer,   kWin,     0,     0,     0,    0, "",                         kNoText,                        kSystem,  kSystem,  kNone,   kPlain,          -1, 1000},
{"Command3", Button,  kWin, 10080,  6480,  1575,  555, "Дальше",                   {"Arial", 14.25, 700},          kSystem,  0x00C000, kCentre, kHidden,         25},
{"Command2", Button,  kWin,   120,  6480,  1575,  555, "Старт",                    {"Arial", 14.25, 700},          kSystem,  0x80FFFF, kCentre, kPlain,          23},
{"Command1", Button,  kWin, 10080,  6480,  1575,  555, "Проверка",                 {"Arial", 14.25, 700},          kSystem,  0x80FFFF, kCentre, kPlain,           0},
{"Text5",    TextBox, kWin,  8040,  5520,   840,  615, "",                         {"MS Sans Serif", 18, 700},     kSystem,  0xC0FFFF, kCentre, kPlain,           2},
{"Text4",    TextBox, kWin,  4920,  5520,   840,  615, "",                         {"MS Sans Serif", 18, 700},     kSystem,  0xC0FFFF, kCentre, kPlain,           1},
{"Frame1",   Frame,   kWin,   120,  7320, 11655,  855, "",                         {"MS Sans Serif", 8.25, 400},   kSystem,  0xFFC0FF, kNone,   kPlain,           3},
{"Text3",    TextBox, kFrm, 10440,   240,   735,  495, "0",                        {"MS Sans Serif", 13.5, 700},   0x000000, 0xC0FFC0, kCentre, kDisabled,        9},
{"Text2",    TextBox, kFrm,  6360,   240,   735,  495, "0",                        {"MS Sans Serif", 13.5, 700},   0x000000, 0xC0FFC0, kCentre, kDisabled,        7},
{"Text1",    TextBox, kFrm,  2640,   240,   735,  495, "0",                        {"MS Sans Serif", 13.5, 700},   0x000000, 0xC0FFC0, kCentre, kDisabled,        5},
{"Label3",   Label,   kFrm,  7560,   360,  2775,  375, "Ошибочных попыток:",       {"MS Sans Serif", 12, 700},     kSystem,  0xFFC0FF, kLeft,   kPlain,           8},
{"Label2",   Label,   kFrm,  3840,   360,  2535,  375, "С первой попытки:",        {"MS Sans Serif", 12, 700},     kSystem,  0xFFC0FF, kLeft,   kPlain,           6},
{"Label1",   Label,   kFrm,   360,   360,  2055,  375, "Решено всего:",            {"MS Sans Serif", 12, 700},     kSystem,  0xFFC0FF, kRight,  kPlain,           4},
{"Label21",  Label,   kWin,   120,  1440,   375,  375, "0",                        {"Arial", 15.75, 700},          0xFF0000, 0xFFFFC0, kRight,  kShrinksCaption, 36},
{"Label20",  Label,   kWin,   480,  1440,   855,  375, "мин",                      {"Arial", 15.75, 700},          0xFF0000, 0xFFFFC0, kCentre, kPlain,          35},
{"Label19",  Label,   kWin,  1320,  1440,   495,  375, "00",                       {"Arial", 15.75, 700},          0xFF0000, 0xFFFFC0, kCentre, kPlain,          34},
{"Label18",  Label,   kWin,  1800,  1440,   615,  375, "сек",                      {"Arial", 15.75, 700},          0xFF0000, 0xFFFFC0, kCentre, kPlain,          33},
{"Label17",  Label,   kWin,   120,   960,  2415,  375, "Суммарное время:",         {"Courier New", 12, 700, true}, 0xC00000, 0xFFC0FF, kLeft,   kPlain,          32},
{"Label16",  Label,   kWin,     0,   240,   495,  375, "0",                        {"Arial", 15.75, 700},          0xC04000, 0xFFC0FF, kRight,  kPlain,          31},
{"Label15",  Label,   kWin,   600,   240,   615,  375, "мин",                      {"Arial", 15.75, 700},          0xC04000, 0xFFC0FF, kLeft,   kPlain,          30},
{"Label14",  Label,   kWin,  1200,   240,   495,  375, "00",                       {"Arial", 15.75, 700},          0xC04000, 0xFFC0FF, kRight,  kPlain,          29},
{"Label13",  Label,   kWin,  1800,   240,   615,  375, "сек",                      {"Arial", 15.75, 700},          0xC04000, 0xFFC0FF, kLeft,   kPlain,          28},
{"Label10",  Label,   kWin,  6840,  5880,   375,  615, "2",                        {"Courier New", 30, 700},       0x0000FF, 0xFFC0FF, kLeft,   kPlain,          27},
{"Label9",   Label,   kWin,  3720,  5880,   375,  615, "1",                        {"Courier New", 30, 700},       0x0000FF, 0xFFC0FF, kLeft,   kPlain,          26},
{"Label12",  Label,   kWin,  5925,  6240,   285,  825, "",                         {"Arial Black", 36, 900},       0xFF0000, 0xFFC0FF, kCentre, kSizesItself,     24},
{"Lbla",     Label,   kRow,  1935,  3600,   840, 1590, "",                         kCourierBigWestern,             0x0000FF, 0xFFC0FF, kRight,  kSizesItself,     22},
{"Lblb",     Label,   kRow,  4215,  3600,  1680, 1590, "+p",                       kCourierBigWestern,             0xC00000, 0xFFC0FF, kRight,  kSizesItself,     21},
{"Lblc",     Label,   kRow,  6885,  3600,  1680, 1590, "+q",                       kCourierBigWestern,             0xC00000, 0xFFC0FF, kRight,  kSizesItself,     20},
{"Lblxx",    Label,   kRow,  2880,  3600,   855, 1590, "x",                        {"Courier New", 69.75, 700},    0x0000FF, 0xFFC0FF, kCentre, kSizesItself,     19},
{"Lblx",     Label,   kRow,  6000,  3600,   855, 1590, "x",                        {"Courier New", 69.75, 700},    0x0000FF, 0xFFC0FF, kCentre, kSizesItself,     18},
{"LblSt2",   Label,   kRow,  3720,  3600,   495,  900, "2",                        {"Courier New", 39.75, 700},    0x0000FF, 0xFFC0FF, kCentre, kSizesItself,     17},
{"Lbl0",     Label,   kRow,  8640,  3600,  1680, 1590, "=0",                       {"Courier New", 69.75, 700},    0x0000FF, 0xFFC0FF, kCentre, kSizesItself,     16},
{"Label11",  Label,   kWin,  6240,  5280,  1710, 1095, "x =",                      {"Courier New", 48, 700, false, Charset::Western}, 0x0000FF, 0xFFC0FF, kLeft, kSizesItself, 15},
{"Label8",   Label,   kWin,  3120,  5280,  1710, 1095, "x =",                      {"Courier New", 48, 700, false, Charset::Western}, 0x0000FF, 0xFFC0FF, kLeft, kSizesItself, 14},
{"Label7",   Label,   kWin,   960,  2280, 10230,  855, "Подберите корни устно:",   {"Courier New", 38.25, 700},    0x800080, 0xFFC0FF, kCentre, kSizesItself,     13},
{"Label6",   Label,   kWin,  4020,   960,   315,  615, "0",                        {"Arial", 26.25, 700},          0xFF80FF, 0xFFC0FF, kCentre, kSizesItself,     12},
{"Label5",   Label,   kWin,  7590,  1080,  2940,  330, "+ мнение учителя!",        {"Courier New", 14.25, 700},    0x804000, 0xC0C0FF, kCentre, kSizesItself,     11},
{"Label4",   Label,   kWin,  5745,   360,   885, 1650, "0",                        {"Courier New", 72, 700},       0xFF0000, 0xFFC0FF, kCentre, kSizesItself,     10},
{"Shape1",   Shape,   kWin,  5280,   120,  1815, 2175, "",                         kNoText,                        0xC00000, 0xFFC0FF, kNone,   kPlain,          -1, 0, 5},
});
// clang-format on

}  // namespace

std::span<const ControlRow> ControlTable() { return kControls; }

const ControlRow* FindControl(std::string_view name) {
  const auto row = std::find_if(kControls.begin(), kControls.end(), [name](const ControlRow& each) {
    return std::string_view(each.name) == name;
  });
  return row == kControls.end() ? nullptr : &*row;
}

std::vector<const ControlRow*> FrontToBack(Parent parent) {
  std::vector<const ControlRow*> rows;
  for (const ControlRow& row : kControls) {
    if (row.parent == parent && row.kind != Timer) rows.push_back(&row);
  }
  const auto underTheRest = [](const ControlRow* row) {
    return row->kind == Label || row->kind == Shape;
  };
  std::stable_sort(rows.begin(), rows.end(), [&](const ControlRow* a, const ControlRow* b) {
    return !underTheRest(a) && underTheRest(b);
  });
  return rows;
}

}  // namespace form
