// A random source whose draws a test chooses: first the scripted values, then an endless stream
// from a fixed seed, so that a test can pin the first equations and still drive a long run.
#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <random>
#include <vector>

#include "drill/drill.h"

class ScriptedRandom : public drill::RandomSource {
 public:
  explicit ScriptedRandom(std::uint32_t fallbackSeed = 1) : fallback_(fallbackSeed) {}

  // The draw that makes Gener(n) return value: the middle of value's slice of [0, 1).
  static float DrawFor(int value, int n) { return static_cast<float>((value - 0.5) / n); }

  void Script(std::initializer_list<float> draws) { script_.insert(script_.end(), draws); }
  // Scripts the two root draws of one equation, before ordering and signs.
  void ScriptRoots(int first, int second) { Script({DrawFor(first, 9), DrawFor(second, 9)}); }
  void ScriptRow(int permRow) { Script({DrawFor(permRow, 24)}); }

  void Seed(float secondsSinceMidnight) override { seeds.push_back(secondsSinceMidnight); }

  float Next() override {
    ++draws;
    if (!script_.empty()) {
      const float next = script_.front();
      script_.pop_front();
      return next;
    }
    return static_cast<float>(fallback_() >> 8) / 16777216.0f;
  }

  std::size_t ScriptLeft() const { return script_.size(); }

  std::vector<float> seeds;
  long draws = 0;

 private:
  std::deque<float> script_;
  std::mt19937 fallback_;
};
