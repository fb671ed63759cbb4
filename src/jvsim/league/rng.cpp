#include "jvsim/league/rng.h"

#include <cmath>

namespace quindle::jvsim::league {
namespace {

constexpr std::uint64_t Rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

constexpr double kLn2 = 0.693147180559945309417232121458;

}  // namespace

std::uint64_t SplitMix64(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint64_t DeriveSeed(std::uint64_t seed, std::uint64_t a, std::uint64_t b, std::uint64_t c) {
    std::uint64_t s = seed;
    std::uint64_t h = SplitMix64(s);
    for (std::uint64_t v : {a, b, c}) {
        s = h ^ (v * 0xD1B54A32D192ED03ULL);
        h = SplitMix64(s);
    }
    return h;
}

Rng::Rng(std::uint64_t seed) {
    std::uint64_t s = seed;
    for (auto& word : s_) word = SplitMix64(s);
}

std::uint64_t Rng::Next() {
    const std::uint64_t result = Rotl(s_[1] * 5, 7) * 9;
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = Rotl(s_[3], 45);
    return result;
}

std::uint32_t Rng::Below(std::uint32_t n) {
    // Lemire's multiply-shift; the tiny bias of skipping the rejection step
    // is of no concern for a synthetic league.
    return static_cast<std::uint32_t>(((Next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
}

int Rng::Range(int lo, int hi) {
    return lo + static_cast<int>(Below(static_cast<std::uint32_t>(hi - lo + 1)));
}

double Rng::Uniform() {
    return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0);
}

double Rng::Normal() {
    double sum = Uniform() + Uniform() + Uniform() + Uniform();
    // Four uniforms have mean 2 and variance 1/3.
    return (sum - 2.0) * 1.7320508075688772;
}

double Rng::Gumbel() {
    double u = Uniform();
    if (u < 1e-12) u = 1e-12;
    return -Log(-Log(u));
}

std::size_t Rng::Pick(std::span<const double> weights) {
    double total = 0;
    for (double w : weights) total += w;
    if (weights.empty()) return 0;
    if (!(total > 0)) return Below(static_cast<std::uint32_t>(weights.size()));
    double r = Uniform() * total;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (r < weights[i]) return i;
        r -= weights[i];
    }
    // Rounding left r at the very end: the last positive weight.
    for (std::size_t i = weights.size(); i-- > 0;) {
        if (weights[i] > 0) return i;
    }
    return 0;
}

double Exp(double x) {
    if (x > 700) x = 700;
    if (x < -700) return 0.0;
    // x = k ln2 + r with |r| <= ln2 / 2; e^r by its Taylor series.
    double kf = x / kLn2;
    int k = static_cast<int>(kf < 0 ? kf - 0.5 : kf + 0.5);
    double r = x - k * kLn2;
    double term = 1.0;
    double sum = 1.0;
    for (int n = 1; n <= 18; ++n) {
        term = term * r / n;
        sum += term;
    }
    return std::ldexp(sum, k);  // exact: only the exponent changes
}

double Log(double x) {
    if (!(x > 0)) return -745.0;
    int e = 0;
    double m = std::frexp(x, &e);  // exact: x = m * 2^e, m in [0.5, 1)
    if (m < 0.70710678118654752) {
        m *= 2;
        --e;
    }
    // ln m = 2 atanh((m - 1) / (m + 1)), |z| < 0.172.
    double z = (m - 1) / (m + 1);
    double z2 = z * z;
    double term = z;
    double sum = 0;
    for (int n = 1; n <= 39; n += 2) {
        sum += term / n;
        term *= z2;
    }
    return 2 * sum + e * kLn2;
}

}  // namespace quindle::jvsim::league
