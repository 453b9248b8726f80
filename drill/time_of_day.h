#pragma once

namespace drill {

// Seconds since local midnight, with their fraction: the seed of a new run.
float SecondsSinceMidnight();

}  // namespace drill
