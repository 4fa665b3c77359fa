// YMainObject: base of an object that fetches and owns a whole aggregate (a race card, a result, a horse with its career).
// It adds nothing to YObject; the distinction tells a reader what owns what.
#ifndef YDBCLN_SESSION_YMAINOBJECT_H_
#define YDBCLN_SESSION_YMAINOBJECT_H_

#include "ydbcln/session/YObject.h"

class YMainObject : public YObject {
 public:
  explicit YMainObject(YHorseDB* db);
  YMainObject(const YMainObject& other);
  YMainObject& operator=(const YMainObject& other);
  ~YMainObject() override;
};

#endif  // YDBCLN_SESSION_YMAINOBJECT_H_
