// YResultTotalHorse: one horse of the runs a result total counts, by its
// key and name, read from a run or from the horse's own record. Horses are
// ordered and told apart by key alone.
#ifndef YDBCLN_MONEY_YRESULTTOTALHORSE_H_
#define YDBCLN_MONEY_YRESULTTOTALHORSE_H_

#include <string>

struct _tagRACERHREC;
struct _tagYDBUMAREC;

class YResultTotalHorse {
 public:
  YResultTotalHorse() = default;
  YResultTotalHorse(const YResultTotalHorse&) = default;
  YResultTotalHorse& operator=(const YResultTotalHorse&) = default;
  virtual ~YResultTotalHorse();

  // The horse of a run, or of a horse record; null changes nothing.
  virtual void set(_tagRACERHREC* run);
  virtual void set(_tagYDBUMAREC* horse);

  bool operator<(const YResultTotalHorse& other) const { return key < other.key; }
  bool operator==(const YResultTotalHorse& other) const { return key == other.key; }

  std::string key;  // 7 characters
  std::string name;
};

#endif  // YDBCLN_MONEY_YRESULTTOTALHORSE_H_
