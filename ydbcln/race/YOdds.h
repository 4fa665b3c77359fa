// YOdds: the odds of one race in the win, bracket-quinella and quinella
// pools, with each pool's entries in order of popularity.
//
// The odds are read once, at construction, and kept for the object's life.
// Odds are in tenths (odds x 10); YOdds::kNoValue stands for a combination
// without odds: outside the field, a scratched horse, no sale, or no odds
// for the race at all.
//
//   YOdds odds(&db, "052024010611", 16, true);  // final odds of 16 runners
//   if (odds.isexist()) {
//     int x;
//     odds.umaren(3, 7, x);        // quinella 3-7, e.g. 235 for 23.5
//     int horse;
//     odds.ninki_tansho(0, horse, x);  // the favourite and its odds
//   }
//
// Text forms show the field as the odds board does: "  12.3", "☆" for a
// '*' mark, "ﾄﾘｹｼ" for a scratched horse, empty when there is nothing.
// Copies are deep: a copy shares nothing with the original.
#ifndef YDBCLN_RACE_YODDS_H_
#define YDBCLN_RACE_YODDS_H_

#include <iosfwd>
#include <string>

#include "ydbcln/session/YSubObject.h"

class YHorseDB;

class YOdds : public YSubObject {
 public:
  static constexpr int kNoValue = 0x7fffffff;

  // The odds of the race `racekey` for a field of `runners`: the final odds
  // when `final_odds` is set, else the odds published before the race.
  // Without a session nothing is read. A race without odds is no error
  // (isexist() is false); a failing database leaves status 1002.
  YOdds(YHorseDB* db, const std::string& racekey, int runners, bool final_odds);
  YOdds(const YOdds& other);
  YOdds& operator=(const YOdds& other);
  ~YOdds() override;

  // The number of runners given at construction.
  virtual int gettosu();
  // Win odds of horse n (1 to the number of runners).
  virtual void tansho(int n, std::string& odds);
  virtual void tansho(int n, int& odds);
  // Bracket-quinella odds of frames a <= b (1 to 8; a pair is not
  // reordered).
  virtual void wakuren(int a, int b, std::string& odds);
  virtual void wakuren(int a, int b, int& odds);
  // Quinella odds of horses a < b.
  virtual void umaren(int a, int b, std::string& odds);
  virtual void umaren(int a, int b, int& odds);
  // Whether quinella odds are sold: more than 8 runners.
  virtual bool is_umaren();
  // Entries in each pool's popularity order.
  virtual int ninki_tancnt();
  virtual int ninki_wakcnt();
  virtual int ninki_umacnt();
  // The entry of popularity `rank`, counted from 0. For a rank outside the
  // pool the odds are kNoValue (or empty) and the numbers are not written.
  virtual void ninki_tansho(int rank, int& horse, std::string& odds);
  virtual void ninki_tansho(int rank, int& horse, int& odds);
  virtual void ninki_wakuren(int rank, int& first, int& second, std::string& odds);
  virtual void ninki_wakuren(int rank, int& first, int& second, int& odds);
  virtual void ninki_umaren(int rank, int& first, int& second, std::string& odds);
  virtual void ninki_umaren(int rank, int& first, int& second, int& odds);
  // Whether the race's odds were read.
  virtual bool isexist();
  // 予想オッズ, or 前売りオッズ 13:45発表 with the time of announcement.
  virtual std::string desc();
  virtual void print(std::ostream& out);  // writes nothing

 protected:
  virtual void setmember(const std::string& racekey, bool final_odds);

 private:
  // The odds field of win horse n, bracket pair (a, b) or quinella pair
  // (a, b); null when the arguments name no combination or there are no
  // odds.
  const unsigned char* winfield(int n) const;
  const unsigned char* bracketfield(int a, int b) const;
  const unsigned char* quinellafield(int a, int b) const;
  // The popularity entry `rank` of pool `kind`; null outside the pool.
  const unsigned char* popular(int kind, int rank) const;
  // The odds field of popularity entry `rank` of the win pool, or of pool
  // `kind` of pairs, writing its numbers; null outside the pool.
  const unsigned char* popularwin(int rank, int& horse) const;
  const unsigned char* popularpair(int kind, int rank, int& first, int& second) const;
  // Releases every buffer.
  void clear();

  int tosu_ = 0;
  void* odds_ = nullptr;                            // the odds record, owned
  void* ninki_[3] = {nullptr, nullptr, nullptr};  // popularity buffers, owned
};

#endif  // YDBCLN_RACE_YODDS_H_
