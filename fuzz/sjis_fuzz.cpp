// Shift_JIS conversion of any bytes, both ways: what converts goes back to
// the same bytes, the lossy forms always give valid text, and cutting a
// field never splits a double-byte character.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/sjis.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string utf8;
  std::string sjis;
  if (ytext::to_utf8(bytes, &utf8)) {
    if (!ytext::to_sjis(utf8, &sjis)) std::abort();
  }
  // The lossy forms are always valid text of the other encoding.
  if (!ytext::to_utf8(ytext::to_sjis_lossy(ytext::to_utf8_lossy(bytes)), &utf8)) std::abort();
  const std::string back = ytext::to_sjis_lossy(bytes);
  if (!ytext::to_utf8(back, &utf8)) std::abort();
  const std::size_t width = size == 0 ? 0 : data[0] % 64;
  const std::string field = ytext::fit_field(back, width);
  if (field.size() != width) std::abort();
  return 0;
}
