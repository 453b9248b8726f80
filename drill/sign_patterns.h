// The sign-pattern schedule: which signs the two roots of a task get.
//
// Each row of the sign table is an ordering of the digits 1..4. One row serves a block of four
// tasks, task by task taking one digit, so each sign pattern comes once per block.
#pragma once

#include <array>
#include <cstdint>

namespace drill {

// Rows 1..24 of the sign table; index 0 is unused.
inline constexpr std::array<std::int16_t, 25> kPermTable = {
    0,    1234, 1243, 1324, 1342, 1423, 1432, 2341, 2314, 2413, 2431, 2134, 2143,
    4123, 4132, 4231, 4213, 4312, 4321, 3412, 3421, 3124, 3142, 3214, 3241};

// The sign pattern of a task: the digit of the row's decimal text at position
// (taskNo mod 4) + 1, counted from 1 at the left. A row too short to have that digit gives 0.
std::int16_t SignModeFor(std::int16_t permTableValue, std::int16_t taskNo);

struct Roots {
  std::int16_t x1;
  std::int16_t x2;
};

// Applies a sign pattern to two positive roots in increasing order:
// 1 keeps both, 2 negates the first, 3 the second, 4 both; any other value keeps both.
Roots ApplySignPattern(std::int16_t signMode, Roots ordered);

}  // namespace drill
