// How long a name the store keeps, in Shift_JIS bytes: as long as the
// widest field JRA's own record files give that name, so that no real name
// is refused or shortened on its way in. The records the client library
// reads have narrower fields; the renderers cut a name there, at a
// character boundary.
#ifndef YDB_BASE_NAMEWIDTHS_H_
#define YDB_BASE_NAMEWIDTHS_H_

namespace ydb {

constexpr int kRaceNameWidth = 60;     // a race's main title (the records: 30)
constexpr int kHorseNameWidth = 36;    // a horse or an ancestor (the records: 30 or 34)
constexpr int kLatinNameWidth = 80;    // a horse's or an ancestor's name in Latin letters
constexpr int kPersonNameWidth = 34;   // a jockey or a trainer (the records: 32)
constexpr int kOwnerNameWidth = 64;    // an owner (the records: 40)
constexpr int kBreederNameWidth = 72;  // a breeder (the records: 40)

}  // namespace ydb

#endif  // YDB_BASE_NAMEWIDTHS_H_
