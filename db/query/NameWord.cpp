// Reading a search word for names and writing its SQL test.
#include "db/query/NameWord.h"

#include "db/query/Parser.h"
#include "text/sjis.h"

namespace ydb {

Status ReadNameWord(std::string_view sjis, NameWord* out) {
  if (sjis.size() > kMaxTextBytes) {
    return Status::InvalidArgument("a name holds at most " + std::to_string(kMaxTextBytes) +
                                   " bytes");
  }
  out->key = ytext::to_utf8_lossy(ytext::normalise_search(sjis, true, nullptr));
  if (out->key.empty()) return Status::InvalidArgument("an empty name");
  out->pattern = out->key.find_first_of("*?") != std::string::npos;
  return Status::Ok();
}

std::string NameTestSql(std::string_view key, std::string_view parameter, bool pattern) {
  if (pattern) return std::string(key) + " GLOB " + std::string(parameter);
  return "instr(" + std::string(key) + ", " + std::string(parameter) + ") > 0";
}

}  // namespace ydb
