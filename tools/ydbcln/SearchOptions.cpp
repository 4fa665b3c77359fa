// Reading the options the condition searches share.
#include "SearchOptions.h"

#include <sstream>

namespace tool {

bool Pair(const std::string& text, int* value, int* op) {
  const char* const kOperators[] = {"!=", ">=", ">", "<=", "<"};
  const int kCodes[] = {1, 2, 3, 4, 5};
  for (int i = 0; i < 5; ++i) {
    const std::string o = kOperators[i];
    if (text.compare(0, o.size(), o) != 0) continue;
    const std::string number = text.substr(o.size());
    if (number.empty() || number.size() > 7 ||
        number.find_first_not_of("0123456789") != std::string::npos) {
      return false;
    }
    *value = std::stoi(number);
    *op = kCodes[i];
    return true;
  }
  return false;
}

bool Mask(const std::string& list, const std::vector<std::string>& names, int* mask,
          std::string* bad, EmptyItems empty) {
  *mask = 0;
  std::stringstream in(list);
  for (std::string item; std::getline(in, item, ',');) {
    if (item.empty() && empty == EmptyItems::kLeftOut) continue;
    std::size_t i = 0;
    while (i < names.size() && names[i] != item) ++i;
    if (i == names.size()) {
      *bad = item;
      return false;
    }
    *mask |= 1 << i;
  }
  return true;
}

}  // namespace tool
