// Base of every list row: the shared session pointer, error left alone.
#include "ydbcln/session/YList.h"

YList::YList() : db_(nullptr) {}

YList::YList(YHorseDB* db) : db_(db) {}

YList::YList(const YList& other) = default;

YList& YList::operator=(const YList& other) = default;

YList::~YList() = default;
