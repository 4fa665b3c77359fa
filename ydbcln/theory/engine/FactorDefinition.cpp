// The display helpers shared by the theory engine's factors.
#include "ydbcln/theory/engine/FactorDefinition.h"

#include <cstdio>

#include "text/sjis.h"

namespace ytheory {

std::string sjis(const char* utf8) { return ytext::to_sjis_lossy(utf8); }

const std::string* count_headings() {
  static const std::string headings[4] = {sjis("１着"), sjis("２着"), sjis("３着"), sjis("着外")};
  return headings;
}

std::string format(const char* fmt, int a, int b) {
  char text[32];
  std::snprintf(text, sizeof text, fmt, a, b);
  return text;
}

void count_texts(const Tally& t, int width, std::string* out) {
  const char* fmt = width == 3 ? "%3d" : "%4d";
  for (int k = 0; k < 4; ++k) out[k] = format(fmt, t.places[k], 0);
}

}  // namespace ytheory
