#pragma once
// The league's random numbers and the few transcendental functions it needs.
//
// A league must come out byte for byte the same for a seed on every platform,
// so nothing here goes through the standard library's distributions (whose
// output differs between implementations) or its exp/log (whose last bit may
// differ between maths libraries): the generator is xoshiro256** seeded by
// splitmix64, and Exp/Log are evaluated with basic IEEE operations only.

#include <cstdint>
#include <span>

namespace quindle::jvsim::league {

// splitmix64 step: mixes `state` and advances it.
std::uint64_t SplitMix64(std::uint64_t& state);

// A seed derived from a parent seed and a few numbers (a day, a race key),
// so that each part of the league draws from a stream of its own.
std::uint64_t DeriveSeed(std::uint64_t seed, std::uint64_t a, std::uint64_t b = 0,
                         std::uint64_t c = 0);

class Rng {
  public:
    explicit Rng(std::uint64_t seed);

    std::uint64_t Next();
    // Uniform integer in [0, n); n > 0.
    std::uint32_t Below(std::uint32_t n);
    // Uniform integer in [lo, hi].
    int Range(int lo, int hi);
    // Uniform double in [0, 1).
    double Uniform();
    bool Chance(double p) { return Uniform() < p; }
    // Approximately normal (mean 0, deviation 1): the sum of four uniforms,
    // rescaled. Its tails end at about 3.5, which suits every use here.
    double Normal();
    // Gumbel(0, 1) noise, for drawing finishing orders.
    double Gumbel();
    // Index drawn with probability proportional to `weights` (all >= 0; when
    // they sum to 0 the index is uniform).
    std::size_t Pick(std::span<const double> weights);
    template <typename T>
    const T& Element(std::span<const T> items) {
        return items[Below(static_cast<std::uint32_t>(items.size()))];
    }

  private:
    std::uint64_t s_[4];
};

// e^x and ln x from basic IEEE arithmetic (range reduction and series), so
// that every platform computes the same bits.
double Exp(double x);
double Log(double x);

}  // namespace quindle::jvsim::league
