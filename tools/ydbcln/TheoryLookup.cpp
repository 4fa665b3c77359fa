// The stored theory a subcommand is asked to run, by code or title.
#include "TheoryLookup.h"

#include <iostream>

#include "Printable.h"
#include "RaceShow.h"
#include "Session.h"

namespace tool {

bool OpenWithTheory(YHorseDB& db, const std::string& dir, const std::string& name,
                    YTheory* theory) {
  if (!OpenDataSet(db, dir)) return false;
  YTheories theories(&db);
  if (theories.search() < 0) {
    ReportReadFailure(db, "the stored theories");
    return false;
  }
  YTheory* found = nullptr;
  if (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos &&
      name.size() < 10) {
    found = theories.gettheorybycode(std::stoi(name));
  }
  std::string title;
  for (int i = 0; found == nullptr && i < theories.gettheorycount(); ++i) {
    if (Sjis(name, &title) && theories.gettheory(i)->getname() == title) {
      found = theories.gettheory(i);
    }
  }
  if (found == nullptr) {
    std::cerr << "ydbcln: no theory " << Quoted(name) << "\n";
    return false;
  }
  *theory = *found;
  return true;
}

}  // namespace tool
