// YSubObject: base of a part of an aggregate, owned by it (a runner's line of a race card or result).
// It adds nothing to YObject; the distinction tells a reader what owns what.
#ifndef YDBCLN_SESSION_YSUBOBJECT_H_
#define YDBCLN_SESSION_YSUBOBJECT_H_

#include "ydbcln/session/YObject.h"

class YSubObject : public YObject {
 public:
  explicit YSubObject(YHorseDB* db);
  YSubObject(const YSubObject& other);
  YSubObject& operator=(const YSubObject& other);
  ~YSubObject() override;
};

#endif  // YDBCLN_SESSION_YSUBOBJECT_H_
