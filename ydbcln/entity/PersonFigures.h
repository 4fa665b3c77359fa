// The figures of a jockey's or trainer's record that YJockey and YStable
// show alike: the year's prize money, the count texts and the rates, the
// year's groups only when their year is the current year.
#ifndef YDBCLN_ENTITY_PERSONFIGURES_H_
#define YDBCLN_ENTITY_PERSONFIGURES_H_

#include <string>

// Where the counted fields of one record type sit (jockeyrec, stablerec).
struct PersonOffsets {
  int rh, rs, hh, hs;                              // groups of four counts
  int hhrplize, hhrplize2, hsrplize, hsrplize2;    // prize money, thousands of yen
  int year;
};

struct PersonFigures {
  std::string hhrplize, hhrplize2, hsrplize, hsrplize2;
  std::string hnh, hns, rnh, rns;
  std::string win1ph, win2ph, win3ph, win1pr, win2pr, win3pr;
};

// The figures of the record at `rec` laid out as `at` says.
PersonFigures person_figures(unsigned char* rec, const PersonOffsets& at);

// The period of a person's or sire's runs: with `mode` 2 the year `n`,
// else the `n` months up to today, as 8-digit dates.
void run_period(int mode, int n, std::string* from, std::string* to);

#endif  // YDBCLN_ENTITY_PERSONFIGURES_H_
