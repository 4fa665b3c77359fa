// The payout file reader: records read from any bytes are checked, and a
// record the check passes is written back byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tools/ydbcln/PayoutCheck.h"
#include "ydbcln/race/YHaitoInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  std::FILE* in = fmemopen(bytes.empty() ? nullptr : bytes.data(), bytes.size(), "rb");
  if (in == nullptr) return 0;
  YHaitoInfo payouts;
  std::size_t offset = 0;
  while (payouts.read(in) == YHaitoInfo::kRecordSize) {
    if (tool::PayoutFault(payouts).empty()) {
      char* written = nullptr;
      std::size_t length = 0;
      std::FILE* out = open_memstream(&written, &length);
      if (out == nullptr) break;
      const int wrote = payouts.write(out);
      std::fclose(out);
      const bool same = wrote == YHaitoInfo::kRecordSize && length == YHaitoInfo::kRecordSize &&
                        std::memcmp(written, data + offset, length) == 0;
      std::free(written);
      if (!same) std::abort();
    }
    offset += YHaitoInfo::kRecordSize;
  }
  std::fclose(in);
  return 0;
}
