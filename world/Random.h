// The world's random numbers: a Mersenne twister (std::mt19937_64, whose
// output the C++ standard fixes) with small distributions of our own on its
// raw output, so that a seed gives the same world on every compiler and
// library. The standard distributions are implementation-defined and are
// never used here.
//
// Streams are keyed: Random(seed, {"race", date, place, number}) is the
// stream of one race, independent of every other stream and of the order in
// which streams are made. The generator keys each decision by what it is
// about, so that skipping the presentation of a race (odds, laps, corner
// orders) draws nothing from the streams that decide the results.
#ifndef YDB_WORLD_RANDOM_H_
#define YDB_WORLD_RANDOM_H_

#include <cstdint>
#include <initializer_list>
#include <random>
#include <vector>

namespace world {

// Mixes a key into a stream seed (the splitmix64 finaliser).
std::uint64_t MixSeed(std::uint64_t seed, std::uint64_t value);

// A 64-bit key for a short text tag ("race", "crop").
std::uint64_t TagKey(const char* tag);

class Random {
 public:
  // A stream for `seed` and a key of integers.
  Random(std::uint64_t seed, std::initializer_list<std::uint64_t> key);
  // A stream for `seed`, a text tag and integers.
  Random(std::uint64_t seed, const char* tag, std::initializer_list<std::uint64_t> key = {});

  // Raw 64 bits.
  std::uint64_t Next() { return engine_(); }

  // Uniform in [0, 1), from the top 53 bits.
  double Uniform();
  // Uniform in [lo, hi).
  double Uniform(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
  // Uniform integer in [0, n); n > 0. Rejection sampling keeps it unbiased.
  int Below(int n);
  // Uniform integer in [lo, hi].
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
  // True with probability p.
  bool Chance(double p) { return Uniform() < p; }
  // Standard normal by the Box-Muller transform.
  double Normal();
  double Normal(double mean, double sd) { return mean + sd * Normal(); }
  // An index drawn with probability proportional to `weights` (all >= 0,
  // not all zero).
  int Pick(const std::vector<double>& weights);
  template <std::size_t N>
  int Pick(const double (&weights)[N]) {
    return Pick(std::vector<double>(weights, weights + N));
  }
  // Shuffles `items` in place (Fisher-Yates).
  template <typename T>
  void Shuffle(std::vector<T>& items) {
    for (std::size_t i = items.size(); i > 1; --i) {
      const std::size_t j = static_cast<std::size_t>(Below(static_cast<int>(i)));
      std::swap(items[i - 1], items[j]);
    }
  }

 private:
  std::mt19937_64 engine_;
  bool has_spare_ = false;
  double spare_ = 0.0;
};

}  // namespace world

#endif  // YDB_WORLD_RANDOM_H_
