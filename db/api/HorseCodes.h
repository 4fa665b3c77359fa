// The code lists of the horse search (CODELISTREC of kind 0, a horse code
// blank-padded), shared by the horse search's operations and by
// get_otherdata.
#ifndef YDB_API_HORSECODES_H_
#define YDB_API_HORSECODES_H_

#include <string>
#include <vector>

#include "db/base/Status.h"
#include "db/store/Database.h"

namespace ydb {

// The well-formed horse codes of a buffer of horse records (YDBUMAREC) or,
// with `code_list`, of code-list records of the horse kind, in code order,
// each once. A buffer of other records, or a code of another kind or not
// blank-padded after its 7 characters, is refused.
Status HorseCodesOf(const void* buffer, bool code_list, std::vector<std::string>* codes);

// The horse records of the stored horses a code list names, in code order.
Status RenderListedHorses(Database& db, const void* code_list, void** out);

}  // namespace ydb

#endif  // YDB_API_HORSECODES_H_
