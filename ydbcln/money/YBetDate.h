// YBetDate: one race day on which tickets can be entered, as YBet lists
// them: the kind (0 a day with results, 1 a day with race cards only) and
// the day's venues, a YMainraceList owned by the YBet that made the entry.
#ifndef YDBCLN_MONEY_YBETDATE_H_
#define YDBCLN_MONEY_YBETDATE_H_

class YMainraceList;

class YBetDate {
 public:
  static constexpr unsigned char kResults = 0;
  static constexpr unsigned char kCards = 1;

  YBetDate() = default;
  YBetDate(unsigned char day_kind, YMainraceList* venues) : kind(day_kind), day(venues) {}

  // The day's date, YYYYMMDD; 0 without a day.
  int getdate() const;

  // By kind, then by the day's date.
  bool operator<(const YBetDate& other) const;
  // Equal kinds and equal dates.
  bool operator==(const YBetDate& other) const;
  bool operator!=(const YBetDate& other) const { return !(*this == other); }

  unsigned char kind = kResults;
  YMainraceList* day = nullptr;  // not owned
};

#endif  // YDBCLN_MONEY_YBETDATE_H_
