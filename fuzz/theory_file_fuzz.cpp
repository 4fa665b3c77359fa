// The theory file reader: any bytes are a theory record or a refusal with a
// reason, and a file accepted is written back byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "db/api/TheoryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view image(reinterpret_cast<const char*>(data), size);
  std::string record;
  const ydb::Status s = ydb::DecodeTheoryFile(image, &record);
  if (s.ok()) {
    if (ydb::EncodeTheoryFile(record.data()) != image) std::abort();
  } else if (s.message().empty()) {
    std::abort();
  }
  return 0;
}
