// The options the condition searches of `ydbcln search` share: a compared
// figure typed as ">=3" and a comma list of choices typed as names, read
// into the values and masks the library's searches take.
#ifndef YDBCLN_TOOL_SEARCHOPTIONS_H_
#define YDBCLN_TOOL_SEARCHOPTIONS_H_

#include <string>
#include <vector>

namespace tool {

// ">=3", ">3", "<=3", "<3" or "!=3" as a value and the search's operator
// code (1 "!=", 2 ">=", 3 ">", 4 "<=", 5 "<"); false for anything else.
bool Pair(const std::string& text, int* value, int* op);

// What an empty item of a comma list ("a,,b", ",a") is: the race search's
// lists leave it out, the horse and people searches' lists refuse it as an
// item that is none of the names. A comma at the end adds no item to either.
enum class EmptyItems { kRefused, kLeftOut };

// The mask of the items of a comma list among `names` (bit i for names[i]);
// false, with `bad` the item, for one that is none of them.
bool Mask(const std::string& list, const std::vector<std::string>& names, int* mask,
          std::string* bad, EmptyItems empty = EmptyItems::kRefused);

}  // namespace tool

#endif  // YDBCLN_TOOL_SEARCHOPTIONS_H_
