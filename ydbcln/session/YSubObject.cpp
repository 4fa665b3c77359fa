// YSubObject: see the header.
#include "ydbcln/session/YSubObject.h"

YSubObject::YSubObject(YHorseDB* db) : YObject(db) {}

YSubObject::YSubObject(const YSubObject& other) = default;

YSubObject& YSubObject::operator=(const YSubObject& other) = default;

YSubObject::~YSubObject() = default;
