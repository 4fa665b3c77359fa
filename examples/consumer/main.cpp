// Opens the data set in the directory given on the command line and prints
// the years of results it holds.
#include <ydbcln/ydbcln.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: consumer DATA_DIRECTORY\n");
    return 2;
  }
  YHorseDB db;
  if (!db.init(argv[1])) {
    std::fprintf(stderr, "cannot open the data set (status %d)\n", db.geterrstatus());
    return 1;
  }
  int first = 0;
  int last = 0;
  db.getyear(first, last);
  std::printf("results from %d to %d\n", first, last);
  return 0;
}
