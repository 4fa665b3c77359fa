// The figures of a jockey's or trainer's record that YJockey and YStable
// show alike: the year's prize money, the count texts and the rates, the
// year's groups only when their year is the current year.
#ifndef YDBCLN_ENTITY_PERSONFIGURES_H_
#define YDBCLN_ENTITY_PERSONFIGURES_H_

#include <string>
#include <utility>

// Where the counted fields of one record type sit (jockeyrec, stablerec).
struct PersonOffsets {
  int rh, rs, hh, hs;                              // groups of four counts
  int hhrplize, hhrplize2, hsrplize, hsrplize2;    // prize money, thousands of yen
  int year;
};

// The jockey record's and the trainer record's.
extern const PersonOffsets kJockeyOffsets;
extern const PersonOffsets kStableOffsets;

struct PersonFigures {
  std::string hhrplize, hhrplize2, hsrplize, hsrplize2;
  std::string hnh, hns, rnh, rns;
  std::string win1ph, win2ph, win3ph, win1pr, win2pr, win3pr;
};

// The figures of the record at `rec` laid out as `at` says.
PersonFigures person_figures(unsigned char* rec, const PersonOffsets& at);

// Sets the figure members of `person` (a YJockey or a YStable) from the
// record at `rec`.
template <typename Person>
void set_person_figures(unsigned char* rec, const PersonOffsets& at, Person* person) {
  PersonFigures f = person_figures(rec, at);
  person->hhrplize = std::move(f.hhrplize);
  person->hhrplize2 = std::move(f.hhrplize2);
  person->hsrplize = std::move(f.hsrplize);
  person->hsrplize2 = std::move(f.hsrplize2);
  person->hnh = std::move(f.hnh);
  person->hns = std::move(f.hns);
  person->rnh = std::move(f.rnh);
  person->rns = std::move(f.rns);
  person->win1ph = std::move(f.win1ph);
  person->win2ph = std::move(f.win2ph);
  person->win3ph = std::move(f.win3ph);
  person->win1pr = std::move(f.win1pr);
  person->win2pr = std::move(f.win2pr);
  person->win3pr = std::move(f.win3pr);
}

// A person's or sire's runs of a period by `fetch` (get_jockey_race2code
// ...): with `mode` 2 the year `n`, else the `n` months up to today, as
// 8-digit dates. The fetch's answer: a buffer, or null when it fails.
void* fetch_period_runs(void* (*fetch)(const char*, const char*, const char*),
                        const std::string& code, int mode, int n);

#endif  // YDBCLN_ENTITY_PERSONFIGURES_H_
