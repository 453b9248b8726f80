#pragma once

namespace drill {

// Seconds since local midnight, with their fraction: the seed of a new run.
float SecondsSinceMidnight();

// The seconds since midnight of a local time of day, held in [0, 86400): the last few
// milliseconds of a day would otherwise round to 86400.0f, and a leap second (second 60) would
// pass it.
float SecondsSinceMidnight(int hour, int minute, int second, double fraction);

}  // namespace drill
