// The name an ancestor is shown by where a record has one name field for
// it: its Japanese name, or its Latin name when it has none (an imported
// horse often has only that).
#ifndef YDB_RENDER_ANCESTORNAME_H_
#define YDB_RENDER_ANCESTORNAME_H_

// The SQL of that name for the pedigree row of the query's alias `p` (a
// string literal), to stand inside a literal query text.
#define YDB_ANCESTOR_NAME(p) "coalesce(nullif(" p ".name, ''), " p ".name_latin)"

#endif  // YDB_RENDER_ANCESTORNAME_H_
