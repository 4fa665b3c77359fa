// Base of every record object: the shared session pointer.
#include "ydbcln/session/YObject.h"

#include "ydbcln/session/YHorseDB.h"

YObject::YObject(YHorseDB* db) : db_(db) {
  if (db_ != nullptr) db_->clearerror();
}

YObject::YObject(const YObject& other) : db_(other.db_) {}

YObject& YObject::operator=(const YObject& other) {
  db_ = other.db_;
  return *this;
}

YObject::~YObject() = default;

YHorseDB* YObject::getdb() const { return db_; }
