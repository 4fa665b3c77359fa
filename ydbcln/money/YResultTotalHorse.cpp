// YResultTotalHorse: a horse's key and name from a run or a horse record.
#include "ydbcln/money/YResultTotalHorse.h"

#include "ydbcln/entity/HorseRec.h"
#include "ydbcln/race/RecordFields.h"
#include "ydbcln/race/ResultRunnerRec.h"
#include "ydbcln/session/YUtil.h"

YResultTotalHorse::~YResultTotalHorse() = default;

void YResultTotalHorse::set(_tagRACERHREC* run) {
  if (run == nullptr) return;
  key = yrace::raw(run->bytes + racerhrec::kHorseCode, racerhrec::kHorseCodeWidth);
  name = YUtil::delendspc(run->bytes + racerhrec::kHorseName, racerhrec::kHorseNameWidth);
}

void YResultTotalHorse::set(_tagYDBUMAREC* horse) {
  if (horse == nullptr) return;
  key = yrace::raw(horse->bytes + ydbumarec::kCode, ydbumarec::kCodeWidth);
  name = YUtil::delendspc(horse->bytes + ydbumarec::kName, ydbumarec::kNameWidth);
}
