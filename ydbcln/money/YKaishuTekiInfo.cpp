// One race with a hit, copied from its theory result.
#include "ydbcln/money/YKaishuTekiInfo.h"

#include "ydbcln/theory/YTheoryResult.h"

YKaishuTekiInfo::YKaishuTekiInfo()
    : maxdiv(0), mindiv(0), maxrank(0), minrank(0), kind(0) {}

YKaishuTekiInfo::YKaishuTekiInfo(const YTheoryResult& result)
    : racecode(result.racekey),
      maxdiv(result.maxhit),
      mindiv(result.minhit),
      maxrank(result.maxhitrank),
      minrank(result.minhitrank),
      kind(result.hitbettype) {}

YKaishuTekiInfo::YKaishuTekiInfo(const YKaishuTekiInfo& other) = default;

YKaishuTekiInfo& YKaishuTekiInfo::operator=(const YKaishuTekiInfo& other) = default;

YKaishuTekiInfo::~YKaishuTekiInfo() = default;
