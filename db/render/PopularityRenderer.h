// Popularity records (SORTEDODDSREC): one pool of an odds record in order
// of popularity, favourite first.
#ifndef YDB_RENDER_POPULARITYRENDERER_H_
#define YDB_RENDER_POPULARITYRENDERER_H_

#include "db/base/Status.h"

namespace ydb {

// The pools that have a popularity order, numbered as make_sorted_odds
// takes them.
enum class PopularityPool { kWin = 0, kBracketQuinella = 1, kQuinella = 2 };

// The entries of `pool` in `odds`, the bytes of one odds record (ODDSREC),
// as a new record buffer in *buffer: first the entries with odds, from
// the lowest odds up (equal odds: the lower horse number or pair first),
// then the entries without odds but with a mark ('*', '/') in number
// order. A field marked '-', or blank, is no entry of the pool.
//
// Win entries carry the horse number as one 4-digit number; bracket
// quinella and quinella entries their two frames or horses.
Status RenderPopularity(const void* odds, PopularityPool pool, void** buffer);

}  // namespace ydb

#endif  // YDB_RENDER_POPULARITYRENDERER_H_
