// Long race name and class texts of a race row or a runner line.
#include "ydbcln/race/RaceTexts.h"

#include "text/sjis.h"
#include "ydbcln/session/YUtil.h"

namespace yrace {

void long_race_texts(unsigned char* year, unsigned char kind, unsigned char* name_field,
                     unsigned char grade, unsigned char* conditions, std::string* name,
                     std::string* raceclass) {
  static const std::string kManshita = ytext::to_sjis_lossy("万下");
  static const std::string kOpen = ytext::to_sjis_lossy("オープン");
  constexpr int kNameWidth = 30;
  constexpr int kConditionsWidth = 5;

  bool named = false;
  *name = YUtil::getracename(year, kind, name_field, kNameWidth, false, &named);
  raceclass->clear();
  YUtil::setclass(*name, *raceclass, grade, conditions, kConditionsWidth, true);
  const std::size_t manshita = raceclass->find(kManshita);
  if (manshita != std::string::npos) {
    if (!named) *name += *raceclass;
    raceclass->erase(manshita);
  }
  if (*raceclass == "OPEN" && !named) *name += kOpen;
}

}  // namespace yrace
