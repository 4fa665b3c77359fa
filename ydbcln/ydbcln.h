// ydbcln: the class library for analysing JRA flat and jump racing.
// Including this header declares every public class of the library.
#ifndef YDBCLN_YDBCLN_H_
#define YDBCLN_YDBCLN_H_

// Session and shared infrastructure
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YList.h"
#include "ydbcln/session/YMainObject.h"
#include "ydbcln/session/YObject.h"
#include "ydbcln/session/YSubObject.h"
#include "ydbcln/session/YUtil.h"

// Race data
#include "ydbcln/race/YBlood.h"
#include "ydbcln/race/YBloodFM.h"
#include "ydbcln/race/YDayDenma.h"
#include "ydbcln/race/YDayRace.h"
#include "ydbcln/race/YDaySeiseki.h"
#include "ydbcln/race/YDenma.h"
#include "ydbcln/race/YHaito.h"
#include "ydbcln/race/YHaitoInfo.h"
#include "ydbcln/race/YMainraceList.h"
#include "ydbcln/race/YOdds.h"
#include "ydbcln/race/YRaceHorse.h"
#include "ydbcln/race/YRaceList.h"
#include "ydbcln/race/YRefTime.h"
#include "ydbcln/race/YSeiseki.h"

// Horses, jockeys, trainers and sires
#include "ydbcln/entity/YDimSire.h"
#include "ydbcln/entity/YDimSireList.h"
#include "ydbcln/entity/YEtcNamesList.h"
#include "ydbcln/entity/YHorse.h"
#include "ydbcln/entity/YHorseList.h"
#include "ydbcln/entity/YJSTotal.h"
#include "ydbcln/entity/YJockey.h"
#include "ydbcln/entity/YJockeyList.h"
#include "ydbcln/entity/YSire.h"
#include "ydbcln/entity/YSireList.h"
#include "ydbcln/entity/YStable.h"
#include "ydbcln/entity/YStableList.h"

// Betting, money and totals
#include "ydbcln/money/YBet.h"
#include "ydbcln/money/YBetDate.h"
#include "ydbcln/money/YBetRec.h"
#include "ydbcln/money/YKaishu.h"
#include "ydbcln/money/YKaishuTekiInfo.h"
#include "ydbcln/money/YKaishuTotal.h"
#include "ydbcln/money/YMoney.h"
#include "ydbcln/money/YMoneyGraph.h"
#include "ydbcln/money/YMoneyRecord.h"
#include "ydbcln/money/YRaceTotal.h"
#include "ydbcln/money/YRaceTotalEx.h"
#include "ydbcln/money/YResultTotal.h"
#include "ydbcln/money/YResultTotalHorse.h"
#include "ydbcln/money/YResultTotalRaceHorse.h"
#include "ydbcln/money/YResultTotalRec.h"
#include "ydbcln/money/_tagBUYTICKETREC.h"
#include "ydbcln/money/_tagYResultTotalInfo.h"

// Search
#include "ydbcln/search/SearchRecords.h"
#include "ydbcln/search/YSearchDenma.h"
#include "ydbcln/search/YSearchDetailRace.h"
#include "ydbcln/search/YSearchEtcNames.h"
#include "ydbcln/search/YSearchGradeRace.h"
#include "ydbcln/search/YSearchHorse.h"
#include "ydbcln/search/YSearchKeywordRace.h"
#include "ydbcln/search/YSearchRace.h"
#include "ydbcln/search/YSearchRaceHorse.h"
#include "ydbcln/search/YSearchSeiseki.h"

// Prediction theory
#include "ydbcln/theory/GeneticRecords.h"
#include "ydbcln/theory/TheoryRec.h"
#include "ydbcln/theory/YCalcTheory.h"
#include "ydbcln/theory/YThItem.h"
#include "ydbcln/theory/YTheories.h"
#include "ydbcln/theory/YTheory.h"
#include "ydbcln/theory/YTheoryMaker.h"
#include "ydbcln/theory/YTheoryHorseRaceHorse.h"
#include "ydbcln/theory/YTheoryJockeyRaceHorse.h"
#include "ydbcln/theory/YTheoryOption.h"
#include "ydbcln/theory/YTheoryRangeTotals.h"
#include "ydbcln/theory/YTheoryResult.h"
#include "ydbcln/theory/YTheorySireRaceHorse.h"
#include "ydbcln/theory/YTheoryStableRaceHorse.h"

#endif  // YDBCLN_YDBCLN_H_
