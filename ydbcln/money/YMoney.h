// YMoney: the user's betting money over a year.
//
// exec() reads every ticket held on the year's races, settles each against
// the payouts of its race and keeps the results two ways:
//   - balance series, for a chart: set 0 by day (a point per day with
//     tickets, in date order), set 1 by month (12 points, keys 100 to
//     1200), each point with its running balance; series 0 every ticket,
//     series 1 to 5 the bet types 1 単勝 to 5 ワイド;
//   - record lists [group][series]: group 0 every bet type, 1 to 5 one;
//     series 0 each ticket, 1 per race, 2 per day, 3 per month, 4 per
//     venue (place code order), 5 the year; each in date order.
// Money is in tens of yen (a 100-yen ticket is 10). A ticket of a race
// without results is left out.
//
//   YMoney money(&db);
//   if (money.exec(2024) == 0)
//     for (int i = 0; i < money.getgraphcount(0, 0); ++i)
//       money.getgraphdata(0, 0, i)->total;      // running balance by day
//
// Out-of-range indices give −1, −1.0 or null, never a crash. A failing
// database leaves status 1002.
#ifndef YDBCLN_MONEY_YMONEY_H_
#define YDBCLN_MONEY_YMONEY_H_

#include <map>
#include <string>
#include <vector>

#include "ydbcln/money/YMoneyGraph.h"
#include "ydbcln/money/YMoneyRecord.h"
#include "ydbcln/race/YHaito.h"

class YHorseDB;

class YMoney {
 public:
  static constexpr int kSets = 2;     // by day, by month
  static constexpr int kSeries = 6;   // every type, then types 1 to 5
  static constexpr int kGroups = 6;   // every type, then types 1 to 5
  static constexpr int kListings = 6; // ticket, race, day, month, venue, year

  explicit YMoney(YHorseDB* db);
  YMoney(const YMoney& other) = default;
  YMoney& operator=(const YMoney& other) = default;
  virtual ~YMoney();

  // Settles the tickets of `year`: 0, or −1 (status 1002, no results)
  // when the tickets cannot be read. A year without tickets leaves every
  // series and list empty.
  virtual int exec(int year);
  // The number of points of a series; −1 out of range.
  virtual int getgraphcount(int set, int series);
  // Point i of a series, owned by the YMoney until the next exec; null out
  // of range.
  virtual YMoneyGraph* getgraphdata(int set, int series, int i);
  // The largest and smallest of a series' balances and running balances
  // (−1e35 and 1e35 for a series without points); −1.0 out of range.
  virtual double getgraphmax(int set, int series);
  virtual double getgraphmin(int set, int series);
  // The number of records of list [group][series]; −1 out of range.
  virtual int getrecordcount(int group, int series);
  // Record i of a list, owned by the YMoney; null out of range.
  virtual YMoneyRecord* getrecord(int group, int series, int i);

  // The money staked and returned in total, as YUtil::getyen(…, 10) shows it.
  std::string getstakedtext() const { return stakedtext_; }
  std::string getreturnedtext() const { return returnedtext_; }

 protected:
  // The races settled during one exec, by race code; a race found to have
  // no results has date 0.
  using Cache = std::map<std::string, YHaito>;

  virtual void setgraph(unsigned char* records, int count, Cache& cache);
  // Settles the ticket record at `ticket`: false when its race has no
  // results. Otherwise the money staked, returned and the balance, and,
  // when `record` is given, the whole settled ticket.
  virtual bool getshushi(unsigned char* ticket, int& staked, double& returned, double& balance,
                         YMoneyRecord* record, Cache& cache);
  virtual void setrec(unsigned char* records, int count, Cache& cache);

 private:
  // The race of `code` in the cache, fetched when first asked.
  const YHaito& race(const std::string& code, Cache& cache);
  void clear();
  bool isseries(int set, int series) const {
    return set >= 0 && set < kSets && series >= 0 && series < kSeries;
  }
  bool islist(int group, int series) const {
    return group >= 0 && group < kGroups && series >= 0 && series < kListings;
  }

  YHorseDB* db_;
  std::string stakedtext_;
  std::string returnedtext_;
  long long staked_ = 0;  // tens of yen
  double returned_ = 0;
  std::vector<YMoneyGraph> graph_[kSets][kSeries];
  double max_[kSets][kSeries];
  double min_[kSets][kSeries];
  std::vector<YMoneyRecord> records_[kGroups][kListings];
};

#endif  // YDBCLN_MONEY_YMONEY_H_
