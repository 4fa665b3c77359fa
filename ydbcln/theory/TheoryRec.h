// The theory records the database library stores and returns: one factor
// item (_tagTHITEM, 20 bytes) and one theory (_tagTHEORYREC, 232 bytes).
//
// Every number is a signed 32-bit integer, little-endian in the record. The
// structs below are the records' byte images on the little-endian machines
// the library is built for, so a record is copied in and out with memcpy.
#ifndef YDBCLN_THEORY_THEORYREC_H_
#define YDBCLN_THEORY_THEORYREC_H_

#include <cstdint>

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the theory records are little-endian byte images"
#endif

// One weighted factor of a theory.
struct _tagTHITEM {
  std::int32_t no;        // factor code 1..78 (YTheories' catalogue)
  std::int32_t value;     // weight 1..100
  std::int32_t param[3];  // parameters of the factor's parameter types;
                          // param[2] is written 0 by YTheory::additem
};

// One stored theory: a title and up to eight factor items.
struct _tagTHEORYREC {
  std::int32_t code;      // theory code; -1 for a theory not yet stored
  char title[60];         // Shift_JIS, padded with blanks, no terminator
  std::int32_t reserved;  // zeroed by clear(), otherwise kept as given
  std::int32_t count;     // number of valid items, 0..8
  _tagTHITEM item[8];     // slots at and beyond `count` are unused
};

static_assert(sizeof(_tagTHITEM) == 20, "a factor item is 20 bytes");
static_assert(sizeof(_tagTHEORYREC) == 232, "a theory record is 232 bytes");

#endif  // YDBCLN_THEORY_THEORYREC_H_
