#pragma once

#include <cstdint>

// A small deterministic pseudo-random generator (splitmix64): the same variant number gives
// the same sequence on every machine, so a run of the simulator can be repeated exactly.
class RandomSource {
  public:
    explicit RandomSource(uint64_t variant) : state_(variant) {}

    uint64_t next();
    // A value in 0..bound-1; 0 when bound is 0.
    uint32_t below(uint32_t bound);
    // A value in low..high, both included.
    int32_t between(int32_t low, int32_t high);
    // true with the given probability (0 never, 1 always).
    bool chance(double probability);

  private:
    uint64_t state_;
};
