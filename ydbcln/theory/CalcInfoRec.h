// The race conditions a caller gives the theory engine and the theory
// result in place of what the race record says (tagYCalcInfo, 16 bytes,
// little-endian): the going expected for a race not yet run, or another
// surface or distance to judge the runners on.
#ifndef YDBCLN_THEORY_CALCINFOREC_H_
#define YDBCLN_THEORY_CALCINFOREC_H_

#include <cstdint>

struct tagYCalcInfo {
  // -1 keeps the record's surface; otherwise the surface digit (0 dirt,
  // 1 turf, 2 jump).
  std::int32_t surface;
  // -1 keeps the record's distance; otherwise metres.
  std::int32_t distance;
  // The going digit (0 良, 1 稍, 2 重, 3 不); it always replaces the
  // record's.
  std::uint8_t going;
  std::uint8_t unused1[3];
  // Carried with the race; nothing reads it.
  std::uint8_t extra;
  std::uint8_t unused2[3];
};

static_assert(sizeof(tagYCalcInfo) == 16, "the race conditions record is 16 bytes");

#endif  // YDBCLN_THEORY_CALCINFOREC_H_
