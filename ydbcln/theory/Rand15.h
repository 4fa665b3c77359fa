// The optimiser's random numbers: the classic 15-bit rand() sequence
// (state × 214013 + 2531011, bits 16 to 30), the same on every platform,
// so that a seed and the same races give the same search.
#ifndef YDBCLN_THEORY_RAND15_H_
#define YDBCLN_THEORY_RAND15_H_

#include <cstdint>

namespace ytheory {

class Rand15 {
 public:
  static constexpr int kRange = 32768;  // next() is below this

  void seed(std::uint32_t s) { state_ = s; }
  int next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7fff);
  }
  // The integer part of next() × n ÷ 32768: 0 to n - 1 for n > 0.
  int below(int n) { return static_cast<int>(static_cast<long long>(next()) * n / kRange); }
  // next() ÷ 32768, in [0, 1).
  double fraction() { return next() / static_cast<double>(kRange); }

 private:
  std::uint32_t state_ = 1;
};

}  // namespace ytheory

#endif  // YDBCLN_THEORY_RAND15_H_
