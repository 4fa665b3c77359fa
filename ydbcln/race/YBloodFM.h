// YBloodFM: one parent of a pedigree as display text: its two names, its
// four-character text (the year of birth) and its coat colour. An imported
// parent's names end in "*".
#ifndef YDBCLN_RACE_YBLOODFM_H_
#define YDBCLN_RACE_YBLOODFM_H_

#include <string>

class YBloodFM {
 public:
  // All four texts empty.
  YBloodFM();
  YBloodFM(const YBloodFM& other);
  YBloodFM& operator=(const YBloodFM& other);
  virtual ~YBloodFM();

  std::string name;   // in katakana
  std::string name2;  // in Latin letters; may be empty
  std::string text4;  // year of birth, four characters as the record holds them
  std::string color;  // coat colour (栗毛 ...)
};

#endif  // YDBCLN_RACE_YBLOODFM_H_
