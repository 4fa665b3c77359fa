// YList: base of every list row (a race row, a venue row, an entity row of a
// search). Rows are light and copied by value into vectors; building one
// leaves the session's error as it was.
#ifndef YDBCLN_SESSION_YLIST_H_
#define YDBCLN_SESSION_YLIST_H_

class YHorseDB;

class YList {
 public:
  YList();
  explicit YList(YHorseDB* db);
  YList(const YList& other);
  YList& operator=(const YList& other);
  virtual ~YList();

 protected:
  YHorseDB* getdb() const { return db_; }

 private:
  YHorseDB* db_;
};

#endif  // YDBCLN_SESSION_YLIST_H_
