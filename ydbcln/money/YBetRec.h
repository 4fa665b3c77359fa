// YBetRec: one bought ticket of a race as the user sees it: the bet type
// (1 単勝 win, 2 複勝 place, 3 枠連 bracket quinella, 4 馬連 quinella, 5 ワイド
// wide), the first number, the second (0 for win and place; for the
// bracket quinella a frame, else a horse) and the count of 100-yen tickets
// (1 to 9999).
#ifndef YDBCLN_MONEY_YBETREC_H_
#define YDBCLN_MONEY_YBETREC_H_

class YBetRec {
 public:
  YBetRec() = default;
  YBetRec(int bet_type, int first_number, int second_number, int tickets)
      : type(bet_type), first(first_number), second(second_number), count(tickets) {}

  // By type, then first number, then (types 3 to 5 only) second number,
  // then count.
  bool operator<(const YBetRec& other) const;
  // All four numbers equal.
  bool operator==(const YBetRec& other) const;
  bool operator!=(const YBetRec& other) const { return !(*this == other); }

  // Whether the type names a pool of two numbers.
  bool ispair() const { return type >= 3 && type <= 5; }

  int type = 0;
  int first = 0;
  int second = 0;
  int count = 0;
};

#endif  // YDBCLN_MONEY_YBETREC_H_
