// Hand-built JV-Data records for tests: blank but for the header and the
// bytes put at their offsets, so that a test states a layout's offsets
// itself instead of taking them from the code under test.
#ifndef YDB_EXCHANGE_JVDATA_HANDBUILT_TEST_H_
#define YDB_EXCHANGE_JVDATA_HANDBUILT_TEST_H_

#include <string>
#include <utility>
#include <vector>

namespace exchange {
namespace jvdata {

using Fields = std::vector<std::pair<int, std::string>>;

// A record of `type` and `length` bytes (its CR LF included) made at data
// stage `stage` on 2024-01-08, blank but for `fields` (offset, bytes).
inline std::string Line(const std::string& type, int length, const Fields& fields = {},
                        char stage = '7') {
  std::string r(static_cast<std::size_t>(length - 2), ' ');
  r.replace(0, 11, type + stage + "20240108");
  for (const auto& [offset, bytes] : fields) r.replace(static_cast<std::size_t>(offset), bytes.size(), bytes);
  return r + "\r\n";
}

}  // namespace jvdata
}  // namespace exchange

#endif  // YDB_EXCHANGE_JVDATA_HANDBUILT_TEST_H_
