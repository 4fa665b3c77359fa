// YObject: base of every record object. It holds the session pointer (never
// owned) and, when built with a session, clears the session's error, so that
// a status read after building an object belongs to that object.
#ifndef YDBCLN_SESSION_YOBJECT_H_
#define YDBCLN_SESSION_YOBJECT_H_

class YHorseDB;

class YObject {
 public:
  explicit YObject(YHorseDB* db);
  YObject(const YObject& other);
  YObject& operator=(const YObject& other);
  virtual ~YObject();

 protected:
  virtual YHorseDB* getdb() const;

 private:
  YHorseDB* db_;
};

#endif  // YDBCLN_SESSION_YOBJECT_H_
