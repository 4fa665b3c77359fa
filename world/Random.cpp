// Keyed Mersenne-twister streams and the distributions built on them.
#include "world/Random.h"

#include <cmath>

namespace world {

std::uint64_t MixSeed(std::uint64_t seed, std::uint64_t value) {
  std::uint64_t z = seed ^ (value + 0x9E3779B97F4A7C15ULL + (seed << 6) + (seed >> 2));
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

std::uint64_t TagKey(const char* tag) {
  std::uint64_t h = 0xCBF29CE484222325ULL;  // FNV-1a
  for (const char* p = tag; *p != '\0'; ++p) {
    h ^= static_cast<unsigned char>(*p);
    h *= 0x100000001B3ULL;
  }
  return h;
}

namespace {

std::uint64_t StreamSeed(std::uint64_t seed, std::initializer_list<std::uint64_t> key) {
  std::uint64_t s = MixSeed(0x5EED5EED5EED5EEDULL, seed);
  for (std::uint64_t k : key) s = MixSeed(s, k);
  return s;
}

}  // namespace

Random::Random(std::uint64_t seed, std::initializer_list<std::uint64_t> key)
    : engine_(StreamSeed(seed, key)) {}

Random::Random(std::uint64_t seed, const char* tag, std::initializer_list<std::uint64_t> key)
    : engine_(StreamSeed(MixSeed(seed, TagKey(tag)), key)) {}

double Random::Uniform() {
  return static_cast<double>(engine_() >> 11) * (1.0 / 9007199254740992.0);
}

int Random::Below(int n) {
  const std::uint64_t range = static_cast<std::uint64_t>(n);
  const std::uint64_t limit = (~std::uint64_t{0}) - (~std::uint64_t{0}) % range;
  std::uint64_t x = engine_();
  while (x >= limit) x = engine_();
  return static_cast<int>(x % range);
}

double Random::Normal() {
  if (has_spare_) {
    has_spare_ = false;
    return spare_;
  }
  double u = Uniform();
  while (u <= 0.0) u = Uniform();
  const double v = Uniform();
  const double r = std::sqrt(-2.0 * std::log(u));
  const double angle = 6.283185307179586 * v;
  spare_ = r * std::sin(angle);
  has_spare_ = true;
  return r * std::cos(angle);
}

int Random::Pick(const std::vector<double>& weights) {
  double total = 0.0;
  for (double w : weights) total += w;
  double x = Uniform() * total;
  for (std::size_t i = 0; i < weights.size(); ++i) {
    if (x < weights[i]) return static_cast<int>(i);
    x -= weights[i];
  }
  // Rounding can leave x just past the last weight: take the last positive.
  for (std::size_t i = weights.size(); i > 0; --i) {
    if (weights[i - 1] > 0.0) return static_cast<int>(i - 1);
  }
  return 0;
}

}  // namespace world
