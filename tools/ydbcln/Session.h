// Opening the data set (or its store) for a subcommand, with a one-line error when it
// cannot be opened.
#ifndef YDBCLN_TOOL_SESSION_H_
#define YDBCLN_TOOL_SESSION_H_

#include <db/api/DataSet.h>
#include <ydbcln/ydbcln.h>

#include <memory>
#include <string>

namespace tool {

// True when `dir` holds a data set; otherwise prints that there is none and
// how to make one, and returns false. Only `generate` and `import` make a
// data set: every other command refuses a directory without one.
bool RequireDataSet(const std::string& dir);

// Opens the existing data set in `dir`; on failure prints why to stderr and
// returns false.
bool OpenDataSet(YHorseDB& db, const std::string& dir);

// Opens the data set in `dir` for the work on it as a whole (generating,
// export, import, counts); the directory and store are created for
// kOpenOrCreate. On failure prints why and returns null.
std::unique_ptr<ydb::DataSet> OpenWhole(const std::string& dir, ydb::DataSet::Mode mode);

// Watches over a data set a command may create: when the data directory
// holds no store at construction, the store and its journal files are
// removed again at destruction (and the directory, when it was made for
// them and is left empty) unless keep() was called. A refused `generate` or
// `import` thus leaves nothing behind. Destroy it after the DataSet.
class NewDataSetGuard {
 public:
  explicit NewDataSetGuard(const std::string& dir);
  ~NewDataSetGuard();
  NewDataSetGuard(const NewDataSetGuard&) = delete;
  NewDataSetGuard& operator=(const NewDataSetGuard&) = delete;

  // The data set stays, whether made now or before.
  void keep() { keep_ = true; }

 private:
  std::string dir_;
  bool had_dir_;
  bool had_store_;
  bool keep_ = false;
};

// A Shift_JIS display string as UTF-8 for the terminal.
std::string Utf8(const std::string& sjis);

// Text typed on the command line (UTF-8) as Shift_JIS for the library;
// false when it holds a character Shift_JIS cannot.
bool Sjis(const std::string& utf8, std::string* sjis);

// `utf8` padded with blanks to `columns` terminal columns, a full-width
// character taking two; text already as wide is returned unchanged.
std::string Pad(const std::string& utf8, int columns);

}  // namespace tool

#endif  // YDBCLN_TOOL_SESSION_H_
