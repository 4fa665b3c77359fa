// The comment record on one horse's run: the run comment (kind 0) or the
// user's memo (kind 1). Only the text is read.
#ifndef YDBCLN_RACE_COMMENTREC_H_
#define YDBCLN_RACE_COMMENTREC_H_

namespace commentrec {

constexpr int kSize = 1007;
constexpr int kText = 47;
constexpr int kTextWidth = 960;

}  // namespace commentrec

#endif  // YDBCLN_RACE_COMMENTREC_H_
