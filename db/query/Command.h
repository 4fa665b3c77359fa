// Search commands (_tagSCMD): a compiled condition as a record buffer the
// library holds, copies (dup_data), combines (add_cmd) and hands back to a
// command fetch. The buffer checks itself: every fetch reads it again,
// refusing one that is not a command of this build, is of another kind, or
// was changed.
//
// The record (one record of `length` bytes, integers little-endian):
//   0  4  magic "SCMD"
//   4  2  version, 2
//   6  2  kind (SearchKind): of the records the command finds
//   8  4  length of the record in bytes
//  12  2  number of groups, 1 to kMaxGroups; every group must hold
//  14  2  zero
//  16  4  checksum (FNV-1a, 32 bits) of the bytes from 20 to the end
//  20     the groups, each its kind (2 bytes), a 2-byte length and the
//         condition text it was compiled from
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

// A new command of held's kind in which the groups of `held` and of `added`
// must all hold, at most kMaxGroups groups in all. Commands of two kinds
// combine for the pairs the drill-down combines (CombinesAcross), `added`
// holding groups of its own kind only: its groups then hold for a record
// of held's kind related to one that meets them.
Status CombineCommands(const void* held, const void* added, void** buffer);

// Whether a command of kind `held` takes the groups of a command of kind
// `added`, another kind: horses, sires, jockeys and trainers those of
// races (the races their runs were in), races those of sires.
bool CombinesAcross(SearchKind held, SearchKind added);

}  // namespace ydb

#endif  // YDB_QUERY_COMMAND_H_
