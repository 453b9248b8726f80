// How a solved task is scored and how the run is graded, as school marks from 0 to 5.
#pragma once

#include <cstdint>

namespace drill {

// 5 / attempts, halves to even: 5, 2, 2, 1, 1, 1, 1, 1, 1, 0, 0, ...
std::int16_t ScoreForAttempts(std::int16_t attempts);

// The average score per task, rounded to tenths (halves to even): 27 over 6 tasks gives 4.5,
// 102 over 24 gives 4.2. Tasks are the tasks solved so far, which is the number of the task
// just solved.
float RatingFor(std::int16_t scoreSum, std::int16_t tasks);

// The grade of a rating: rounded to whole, halves to even, except that 4.5 earns 5 and 2.5
// earns 3.
std::int16_t GradeFor(float rating);

}  // namespace drill
