// YMainObject: see the header.
#include "ydbcln/session/YMainObject.h"

YMainObject::YMainObject(YHorseDB* db) : YObject(db) {}

YMainObject::YMainObject(const YMainObject& other) = default;

YMainObject& YMainObject::operator=(const YMainObject& other) = default;

YMainObject::~YMainObject() = default;
