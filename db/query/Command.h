// Search commands (_tagSCMD): a compiled condition as a record buffer the
// library holds, copies (dup_data), combines (add_cmd) and hands back to a
// command fetch. The buffer checks itself: every fetch reads it again,
// refusing one that is not a command of this build, is of another kind, or
// was changed.
//
// The record (one record of `length` bytes, integers little-endian):
//   0  4  magic "SCMD"
//   4  2  version, 1
//   6  2  kind (SearchKind)
//   8  4  length of the record in bytes
//  12  2  number of groups, 1 to kMaxGroups; every group must hold
//  14  2  zero
//  16  4  checksum (FNV-1a, 32 bits) of the bytes from 20 to the end
//  20     the groups, each a 2-byte length and the condition text it was
//         compiled from
#ifndef YDB_QUERY_COMMAND_H_
#define YDB_QUERY_COMMAND_H_

#include "db/base/Status.h"
#include "db/query/Condition.h"

namespace ydb {

// A new command buffer holding `condition`.
Status MakeCommand(const Condition& condition, void** buffer);

// The condition of the command at `buffer`; invalid argument, with the
// reason, for anything that is not a whole command of a served kind.
Status ReadCommand(const void* buffer, Condition* out);

// A new command in which the groups of `held` and of `added` must all hold.
// Both of one kind, at most kMaxGroups groups in all.
Status CombineCommands(const void* held, const void* added, void** buffer);

}  // namespace ydb

#endif  // YDB_QUERY_COMMAND_H_
