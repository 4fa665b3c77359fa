// Layout of a bought ticket as the store keeps it: ASCII digits throughout.
#include "db/layout/Layouts.h"

namespace ydb {

namespace {
using F = Field;
}  // namespace

const RecordLayout& BuyTicketLayout() {
  static const RecordLayout layout("BUYTICKETREC", 29, {
      F::Digits("race_date", 0, 8, "race date YYYYMMDD"),
      F::Code("race_code", 8, 12, "race code, 12 characters"),
      F::Code("bet_type", 20, 1,
              "bet type digit: '0' win, '1' place, '2' bracket quinella, '3' quinella, "
              "'4' wide"),
      F::Digits("first_number", 21, 2, "first horse or frame number"),
      F::Digits("second_number", 23, 2, "second number; 00 for win and place"),
      F::Digits("count", 25, 4, "number of 100-yen tickets, 1-9999"),
  });
  return layout;
}

}  // namespace ydb
