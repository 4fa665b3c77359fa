// YThItem: one factor item (_tagTHITEM) as a value in standard containers,
// with an extra integer the user of the item is free to use (an index into
// a candidate list, a tag).
//
// The comparison operators exist only so that items can be kept in
// containers that ask for them: operator< is always false and operator== is
// always true. No ordering or equality of items is implied.
//
// The extra is given a value only by the (item, extra) constructor, the copy
// constructor and assignment from another YThItem; the other constructors
// and assignment from a _tagTHITEM leave it for the user of the item to set.
#ifndef YDBCLN_THEORY_YTHITEM_H_
#define YDBCLN_THEORY_YTHITEM_H_

#include "ydbcln/theory/TheoryRec.h"

class YThItem {
 public:
  // The five item fields 0.
  YThItem();
  // The five item fields copied from `item`.
  explicit YThItem(const _tagTHITEM* item);
  // The five item fields copied from `item`, and the extra.
  YThItem(const _tagTHITEM* item, int extra);
  YThItem(const YThItem& other);
  virtual ~YThItem();

  // Copies the five item fields; the extra stays as it was.
  YThItem& operator=(const _tagTHITEM& item);
  // Copies the five item fields and the extra.
  YThItem& operator=(const YThItem& other);

  bool operator<(const YThItem& other) const;   // always false
  bool operator==(const YThItem& other) const;  // always true

  _tagTHITEM item;
  int extra;
};

#endif  // YDBCLN_THEORY_YTHITEM_H_
