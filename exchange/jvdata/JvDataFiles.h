// JV-Data files in and out of a store: the calls of exchange/JvDataFiles.h
// on the store itself, which that header describes.
#ifndef YDB_EXCHANGE_JVDATA_JVDATAFILES_H_
#define YDB_EXCHANGE_JVDATA_JVDATAFILES_H_

#include <string>
#include <vector>

#include "db/store/Database.h"
#include "exchange/JvDataFiles.h"

namespace exchange {
namespace jvdata {

ydb::Status Import(ydb::Database& db, const std::vector<std::string>& paths,
                   const Progress& progress, ImportSummary* summary);
ydb::Status Export(ydb::Database& db, const std::string& dir, const Progress& progress);

}  // namespace jvdata
}  // namespace exchange

#endif  // YDB_EXCHANGE_JVDATA_JVDATAFILES_H_
