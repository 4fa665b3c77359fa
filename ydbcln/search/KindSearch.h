// What the searches of horses, jockeys, trainers and sires share: the held
// condition text and command (compiled by the kind's library call, combined
// with another by add_cmd), the runs of a text, a command or a code list,
// the result buffer and the rows that point into it, and the code list of
// the records found. Each search class names its kind's library calls
// (KindCalls) and writes its own condition text; the rest is here.
//
// Statuses, for every kind: 1001 without an initialised session, 1002 when
// the library fails or refuses a text, 1003 when memory runs short (no
// rows then). A copy holds its own rows, buffers and command.
#ifndef YDBCLN_SEARCH_KINDSEARCH_H_
#define YDBCLN_SEARCH_KINDSEARCH_H_

#include <memory>
#include <string>
#include <vector>

#include "ydbcln/search/SearchRecords.h"
#include "ydbcln/session/OutOfMemory.h"
#include "ydbcln/session/YMainObject.h"

namespace ysearch {

// The library calls of one kind of search.
struct KindCalls {
  int record_size;                       // bytes of one result record
  void* (*compile)(const char* text);    // condition text → command
  void* (*run_text)(const char* text);   // condition text → records
  void* (*run_command)(const void* cmd); // command → records
  int code_kind;                         // get_otherdata's kind
  void* (*code_list)(const void* records);  // records → code list
  bool remakes;  // remake_param(1) adds "&UDS=1" (those with runs)
};

// A search whose results are `Record`s held as `Row(db, Record*)` rows.
template <typename Row, typename Record>
class KindSearch : public YMainObject {
 public:
  KindSearch(YHorseDB* db, const KindCalls& calls);
  KindSearch(const KindSearch& other);
  KindSearch& operator=(const KindSearch& other);
  ~KindSearch() override;

  // With a non-zero flag, a held text and a kind that remakes, adds
  // "&UDS=1" (those that have run) and recompiles; 0 always (a text the
  // library refuses keeps the held command).
  virtual int remake_param(int flag);
  // Combines `cmd` with the held command (both must hold); with none held,
  // holds a copy. A combination the library refuses keeps the held one.
  virtual void addparam(_tagSCMD* cmd);
  virtual _tagSCMD* getparam();  // null before setparam
  // Runs the held command: the number of records, -1 without a command.
  virtual int search();
  // The records of a code list of this kind (get_otherdata).
  virtual int execcd(void* codes);
  // Takes a buffer of this kind's records over as the results.
  virtual int setkoldata(Record* buffer);
  // The buffer of the current results; null without results.
  virtual void* getorgdata();
  // The code list of the records found, made once per result set and held
  // by the search; null without results.
  virtual void* getothercode();
  virtual Row* result(int i);  // null out of range
  virtual int get_list_cnt();
  virtual void deletevector();

  // The condition text last compiled or run.
  const std::string& getconditiontext() const { return text_; }

 protected:
  // setparam and exec: the conditions written by `write(c, command_form,
  // &text)` (false when they cannot be), compiled and held with their
  // text, or run at once. 0 or the count; -1 with 1001 without a session,
  // 1004 for conditions that cannot be written, 1002 when the library
  // refuses the text (the held command stays), 1003.
  template <typename Conditions>
  using Writer = bool (*)(const Conditions&, bool command_form, std::string* text);
  template <typename Conditions>
  int setconditions(const Conditions& c, Writer<Conditions> write) {
    return ysession::guarded(getdb(), -1, [&] {
      std::string text;
      return accepted(write(c, true, &text)) ? compile(text) : -1;
    }, [] {});
  }
  template <typename Conditions>
  int runconditions(const Conditions& c, Writer<Conditions> write) {
    return ysession::guarded(getdb(), -1, [&] {
      std::string text;
      return accepted(write(c, false, &text)) ? run(text) : -1;
    }, [] {});
  }
  int compile(const std::string& text);
  int run(const std::string& text);
  // Takes `records` (a library buffer, may be null) as the results.
  int fill(void* records);

 private:
  // True when the session is ready and the conditions were `written`;
  // false leaving 1001 or 1004.
  bool accepted(bool written);
  void clearresults();

  const KindCalls* calls_;
  std::vector<std::unique_ptr<Row>> rows_;
  void* results_ = nullptr;
  void* othercode_ = nullptr;
  void* command_ = nullptr;
  std::string text_;
};

}  // namespace ysearch

#endif  // YDBCLN_SEARCH_KINDSEARCH_H_
