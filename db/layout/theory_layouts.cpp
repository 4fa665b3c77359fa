// Layouts of the stored theory records: one factor item, one theory, the
// summary entry of the theory list, and the theory file that carries one
// theory between data sets. Every number is a little-endian int32.
#include "db/layout/Layouts.h"

namespace ydb {

namespace {
using F = Field;
}  // namespace

const RecordLayout& TheoryItemLayout() {
  static const RecordLayout layout("THITEM", 20, {
      F::Binary("item_number", 0, 4, "factor code 1-78"),
      F::Binary("value", 4, 4, "weight of the factor, 1-100"),
      F::Binary("parameter0", 8, 4, "first parameter, of the factor's first parameter type"),
      F::Binary("parameter1", 12, 4, "second parameter, of the factor's second parameter type"),
      F::Binary("parameter2", 16, 4, "third parameter; 0 when added by the client"),
  });
  return layout;
}

const RecordLayout& TheoryLayout() {
  // Eight item slots of 20 bytes (each laid out as THITEM) from byte 72;
  // slots at and beyond the item count are unused.
  static const RecordLayout layout("THEORYREC", 232, {
      F::Binary("code", 0, 4, "theory code; -1 for a theory not yet stored"),
      F::Text("title", 4, 60, "title, padded with blanks, no terminator"),
      F::Binary("reserved", 64, 4, "reserved; kept as given"),
      F::Binary("item_count", 68, 4, "number of valid items, 0-8"),
      F::Binary("item_number", 72, 4, "item slot: factor code 1-78").Repeat(8, 20),
      F::Binary("item_value", 76, 4, "item slot: weight 1-100").Repeat(8, 20),
      F::Binary("item_parameter0", 80, 4, "item slot: first parameter").Repeat(8, 20),
      F::Binary("item_parameter1", 84, 4, "item slot: second parameter").Repeat(8, 20),
      F::Binary("item_parameter2", 88, 4, "item slot: third parameter").Repeat(8, 20),
  });
  return layout;
}

const RecordLayout& TheorySummaryLayout() {
  // The client reads only the code; the title and item count serve a list.
  static const RecordLayout layout("THEORYSUMREC", 68, {
      F::Binary("code", 0, 4, "theory code"),
      F::Text("title", 4, 60, "title, padded with blanks, no terminator"),
      F::Binary("item_count", 64, 4, "number of items, 0-8"),
  });
  return layout;
}

const RecordLayout& TheoryFileLayout() {
  // The checksum guards every byte before it; a reader refuses a file of
  // another size, magic or version.
  static const RecordLayout layout("THEORYFILE", 248, {
      F::Code("magic", 0, 8, "the text YDBTHEOR: a theory file of this component"),
      F::Binary("version", 8, 4, "format version, 1"),
      F::Binary("theory", 12, 232, "the THEORYREC, byte for byte"),
      F::Binary("checksum", 244, 4, "CRC-32 (IEEE) of bytes 0-243, as an unsigned int32"),
  });
  return layout;
}

}  // namespace ydb
