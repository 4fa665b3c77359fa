// The names of the graded races, in three groups (1 G1, 2 G2, 3 G3), as the
// race searches offer them: loaded once from the database library, one
// group selected at a time.
#ifndef YDBCLN_SEARCH_RACENAMELIST_H_
#define YDBCLN_SEARCH_RACENAMELIST_H_

#include <string>
#include <vector>

class YHorseDB;

class RaceNameList {
 public:
  RaceNameList() = default;
  RaceNameList(const RaceNameList& other);
  RaceNameList& operator=(const RaceNameList& other);
  ~RaceNameList();

  // Selects `group` (1 to 3), loading the names on first use, and returns
  // how many names it holds; -1 for another group (the selection stays),
  // for a session not initialised (1001) or a failing library (1002).
  int select(YHorseDB* db, int group);

  int count() const;  // names of the selected group; 0 when none is selected
  // The i-th name of the selected group without trailing blanks; empty out
  // of range.
  std::string name(int i) const;
  // "西" or "東" for the i-th name; empty out of range or for another byte.
  std::string eastwest(int i) const;

 private:
  const unsigned char* record(int i) const;

  void* names_ = nullptr;                 // the held RACENAMEREC buffer
  std::vector<int> groups_[3];            // record indexes of each group
  int selected_ = -1;                     // 0 to 2, or -1
};

#endif  // YDBCLN_SEARCH_RACENAMELIST_H_
