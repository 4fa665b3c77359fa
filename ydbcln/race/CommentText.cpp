// Fetching the comment or memo text of one run.
#include "ydbcln/race/CommentText.h"

#include "ydbcln/race/CommentRec.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/session/YUtil.h"

namespace yrace {

std::string fetch_comment(const std::string& racecode, const std::string& horsecode, int kind) {
  constexpr std::size_t kRaceCodeWidth = 12;
  constexpr std::size_t kHorseCodeWidth = 7;
  if (racecode.size() != kRaceCodeWidth || horsecode.size() != kHorseCodeWidth) return "";
  OwnedBuffer buffer(get_comment2code(racecode.data(), horsecode.data(), kind));
  if (record_count(buffer.get(), commentrec::kSize) != 1) return "";
  unsigned char* record = record_at(buffer.get(), commentrec::kSize, 0);
  return YUtil::delendspc(record + commentrec::kText, commentrec::kTextWidth);
}

}  // namespace yrace
