// Checks of the values handed to the Writer, made before anything touches
// the store: codes of the right length and digits, dates that exist, numbers
// within their record fields, texts that fit their Shift_JIS fields, runners
// numbered within the field and drawn into the right frames, odds and
// payouts on combinations the race has. Each check names the first fault it
// finds ("race 052024010611 runner 3: weight_carried 1200 is outside
// 1-999").
#ifndef YDB_WRITE_VALIDATION_H_
#define YDB_WRITE_VALIDATION_H_

#include <cstddef>
#include <string>

#include "db/base/Status.h"
#include "db/base/model.h"

namespace ydb {

Status Validate(const Owner& owner);
Status Validate(const Breeder& breeder);
Status Validate(const Trainer& trainer);
Status Validate(const Jockey& jockey);
Status Validate(const Horse& horse);
Status Validate(const Sire& sire);
Status Validate(const Race& race);
Status Validate(const Theory& theory);

// A ticket on a race of `runners` runners, by the rules of the pools:
// a frame pair needs frames of the field, a same-frame pair a frame that
// holds two horses.
Status Validate(const Ticket& ticket, int runners);

// The frame that the draw gives horse `number` in a field of `runners`:
// with more than eight runners the horses are dealt into eight frames, the
// outer frames taking one more each.
int DrawFrame(int number, int runners);

// The number of horses the draw puts in `frame` in a field of `runners`.
int FrameSize(int frame, int runners);

// `name` cut to at most `width` bytes of Shift_JIS on a character boundary:
// the short form of a name given without one.
std::string ShortForm(const std::string& name, std::size_t width);

}  // namespace ydb

#endif  // YDB_WRITE_VALIDATION_H_
