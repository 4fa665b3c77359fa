// YHaito: the settlement record of one race, kept while bought tickets are
// settled: the race's code, date and texts, ordered by the race code.
#ifndef YDBCLN_RACE_YHAITO_H_
#define YDBCLN_RACE_YHAITO_H_

#include <string>

class YHaito {
 public:
  static constexpr int kKeySize = 12;

  // A blank key, numbers 0, empty texts.
  YHaito();
  // The race `code`: its first 12 bytes, blank-padded when shorter.
  explicit YHaito(const std::string& code);

  // Byte by byte over the key, each byte taken as unsigned.
  bool operator<(const YHaito& other) const;
  bool operator==(const YHaito& other) const;
  bool operator!=(const YHaito& other) const { return !(*this == other); }

  unsigned char key[kKeySize];  // race code
  int date = 0;                 // YYYYMMDD
  int raceno = 0;               // race number of the day
  int horsecount = 0;           // number of runners
  int classnum = 0;             // sort key of the race class
  std::string kaisai;           // meeting text
  std::string racename;         // race name with its class
};

#endif  // YDBCLN_RACE_YHAITO_H_
