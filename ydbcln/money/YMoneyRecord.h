// YMoneyRecord: one settled ticket, or the sum of several (a race, a day, a
// month, a venue, a year), as YMoney lists them. Money is in tens of yen (a
// 100-yen ticket is 10), as YUtil::getyen(value, 10) shows it.
#ifndef YDBCLN_MONEY_YMONEYRECORD_H_
#define YDBCLN_MONEY_YMONEYRECORD_H_

#include <string>

class YMoneyRecord {
 public:
  YMoneyRecord() = default;

  // By date, then race code (byte by byte), then bet type, then money
  // staked; equal in those four.
  bool operator<(const YMoneyRecord& other) const;
  bool operator==(const YMoneyRecord& other) const;
  bool operator!=(const YMoneyRecord& other) const { return !(*this == other); }

  // Adds the money, tickets and hits of `other` to this record and sets the
  // rates again.
  void add(const YMoneyRecord& other);
  // The return and hit rates from the money and counts: each
  // trunc(x / y × 1000 + 0.5) in tenths of a percent, 0 when y is 0.
  void setrates();

  int date = 0;             // YYYYMMDD; of a month's sum its first day, of a year's 1 January
  std::string racecode;     // the race's 12 digits; of a venue's sum its place code
  std::string kaisai;       // meeting text (of a venue's sum, the place name)
  std::string racename;     // race name
  std::string classname;    // race class
  int type = 0;             // bet type 1 to 5; 0 in a sum of every type
  int first = 0;            // a ticket's numbers (the second 0 for win and place); 0 in a sum
  int second = 0;
  int staked = 0;           // tens of yen
  double returned = 0;      // tens of yen
  double balance = 0;       // returned − staked
  int tickets = 0;          // settled tickets (1 for one ticket record)
  int hits = 0;             // tickets that returned anything
  int returnrate = 0;       // tenths of a percent of the money staked
  int hitrate = 0;          // tenths of a percent of the tickets
};

#endif  // YDBCLN_MONEY_YMONEYRECORD_H_
