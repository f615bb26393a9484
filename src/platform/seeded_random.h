#pragma once

#include <cstddef>
#include <cstdint>

namespace pf {

// A small random generator (splitmix64) for synthetic data that must come out the same on
// every platform and build: only integer operations and +, *, / of doubles are used, no
// library functions whose results may differ between versions.
class SeededRandom {
  public:
    explicit SeededRandom(uint64_t seed) : state_(seed) {}

    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    // Uniform in [0, n); n > 0.
    size_t Below(size_t n) { return static_cast<size_t>(Next() % n); }
    double Between(double low, double high) { return low + (high - low) * Uniform(); }
    bool Chance(double p) { return Uniform() < p; }
    // Roughly standard normal (sum of four uniforms, scaled to unit variance).
    double Normal() {
        const double sum = Uniform() + Uniform() + Uniform() + Uniform();
        return (sum - 2.0) * 1.7320508075688772;
    }

  private:
    uint64_t state_;
};

}  // namespace pf
