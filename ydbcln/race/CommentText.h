// The comment or memo on one horse's run, as race cards and runner lines
// show it.
#ifndef YDBCLN_RACE_COMMENTTEXT_H_
#define YDBCLN_RACE_COMMENTTEXT_H_

#include <string>

namespace yrace {

// The text of the comment record of `kind` (0 the run comment, 1 the
// user's memo) on the run of the horse `horsecode` (7 characters) in the
// race `racecode` (12), without trailing blanks. Empty unless exactly one
// record comes back, and for codes of another length.
std::string fetch_comment(const std::string& racecode, const std::string& horsecode, int kind);

}  // namespace yrace

#endif  // YDBCLN_RACE_COMMENTTEXT_H_
