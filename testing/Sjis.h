// UTF-8 literals as the Shift_JIS bytes the store and the records hold, for
// tests. A text that Shift_JIS cannot write fails the test that asked for it.
#ifndef YDB_TESTING_SJIS_H_
#define YDB_TESTING_SJIS_H_

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "text/sjis.h"

namespace ytest {

// `utf8` in Shift_JIS, padded with blanks to `width` bytes as a record
// field is.
inline std::string Sjis(std::string_view utf8, std::size_t width = 0) {
  std::string out;
  EXPECT_TRUE(ytext::to_sjis(utf8, &out)) << utf8;
  if (out.size() < width) out.append(width - out.size(), ' ');
  return out;
}

}  // namespace ytest

#endif  // YDB_TESTING_SJIS_H_
