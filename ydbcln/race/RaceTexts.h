// The long race name and class texts shared by the race rows and the runner
// lines: the race's own name, or its age condition when it has none, and
// its class, with money classes written into the name of an unnamed race.
#ifndef YDBCLN_RACE_RACETEXTS_H_
#define YDBCLN_RACE_RACETEXTS_H_

#include <string>

namespace yrace {

// Fills `name` and `raceclass` from the fields of a race: the 4-digit year,
// the race kind (age condition), the 30-byte name field, the grade code and
// the 5-character condition codes.
//  - A graded race keeps its grade (G1 ...) as its class.
//  - A money class is shown without 万下 (500, 900.5); an unnamed race
//    carries the whole money class in its name (３歳500万下).
//  - An unnamed open race is named with オープン after its age condition.
void long_race_texts(unsigned char* year, unsigned char kind, unsigned char* name_field,
                     unsigned char grade, unsigned char* conditions, std::string* name,
                     std::string* raceclass);

}  // namespace yrace

#endif  // YDBCLN_RACE_RACETEXTS_H_
