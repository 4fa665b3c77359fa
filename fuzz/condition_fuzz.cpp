// Condition texts of the race searches, from any bytes: each is refused or
// compiled, never more; a compiled condition's SQL takes every value as a
// numbered parameter, one for each value bound, in order.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "db/query/Parser.h"
#include "db/query/SqlAssembly.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ydb::Condition condition;
  if (!ydb::ParseCondition(ydb::SearchKind::kRace, text, &condition).ok()) return 0;
  const ydb::AssembledQuery query = ydb::AssembleQuery(condition);
  std::size_t highest = 0;
  for (std::size_t at = query.sql.find('?'); at != std::string::npos;
       at = query.sql.find('?', at + 1)) {
    const std::size_t number = std::strtoul(query.sql.c_str() + at + 1, nullptr, 10);
    if (number == 0 || number > query.bindings.size()) std::abort();
    if (number > highest) highest = number;
  }
  if (highest != query.bindings.size()) std::abort();
  return 0;
}
