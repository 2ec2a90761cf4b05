#include "tavrel-sim/random_source.h"

uint64_t RandomSource::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint32_t RandomSource::below(uint32_t bound) {
    if (bound == 0) return 0;
    return static_cast<uint32_t>(next() % bound);
}

int32_t RandomSource::between(int32_t low, int32_t high) {
    if (high <= low) return low;
    return low + static_cast<int32_t>(below(static_cast<uint32_t>(high - low) + 1));
}

bool RandomSource::chance(double probability) {
    if (probability <= 0) return false;
    if (probability >= 1) return true;
    // 53 random bits as a fraction in [0, 1).
    double fraction = static_cast<double>(next() >> 11) * 0x1.0p-53;
    return fraction < probability;
}
