// The pedigree record of one horse: its sire and dam with two names, a
// four-character text (the year of birth) and a coat colour each, then the
// twelve further ancestors with one name each, sire's side first in every
// generation: the sire's sire, sire's dam, dam's sire, dam's dam, then
// their sires and dams in the same order. An origin flag '1' is a horse
// foaled in Japan; anything else marks an imported one.
#ifndef YDBCLN_RACE_PEDIGREEREC_H_
#define YDBCLN_RACE_PEDIGREEREC_H_

namespace pedigreerec {

constexpr int kSize = 709;

constexpr int kName = 7;             // the horse's name
constexpr int kNameWidth = 30;

constexpr int kParents = 2;          // sire, dam
constexpr int kParentStride = 84;
constexpr int kParentOrigin = 37;    // origin flag, 1 byte
constexpr int kParentName = 45;      // katakana name
constexpr int kParentName2 = 79;     // name in Latin letters
constexpr int kParentNameWidth = 34;
constexpr int kParentText4 = 113;    // year of birth, copied as it is
constexpr int kParentText4Width = 4;
constexpr int kParentColor = 117;    // coat-colour code, 2 digits

constexpr int kAncestors = 12;
constexpr int kAncestorStride = 42;
constexpr int kAncestorOrigin = 205;  // origin flag, 1 byte
constexpr int kAncestorName = 213;
constexpr int kAncestorNameWidth = 34;

constexpr unsigned char kFoaledInJapan = '1';

}  // namespace pedigreerec

#endif  // YDBCLN_RACE_PEDIGREEREC_H_
