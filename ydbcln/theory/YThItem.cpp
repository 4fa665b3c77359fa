// One factor item as a value for standard containers.
#include "ydbcln/theory/YThItem.h"

YThItem::YThItem() : item{0, 0, {0, 0, 0}}, extra(0) {}

YThItem::YThItem(const _tagTHITEM* item_in) : item(*item_in), extra(0) {}

YThItem::YThItem(const _tagTHITEM* item_in, int extra_in) : item(*item_in), extra(extra_in) {}

YThItem::YThItem(const YThItem& other) = default;

YThItem::~YThItem() = default;

YThItem& YThItem::operator=(const _tagTHITEM& item_in) {
  item = item_in;
  return *this;
}

YThItem& YThItem::operator=(const YThItem& other) = default;

bool YThItem::operator<(const YThItem&) const { return false; }

bool YThItem::operator==(const YThItem&) const { return true; }
