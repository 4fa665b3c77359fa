// The records of one fetch while they are rendered, and the record buffer
// (ybl.h) they become when the fetch is done. A fetch of one record per row
// of a query is RenderEachRow:
//
//   return RenderEachRow(st, ResultRunnerLayout(), buffer,
//                        [&](RecordBuilder& b, const Statement& row) { ... });
#ifndef YDB_RENDER_RENDEREDRECORDS_H_
#define YDB_RENDER_RENDEREDRECORDS_H_

#include <cstddef>
#include <vector>

#include "db/base/Status.h"
#include "db/layout/RecordLayout.h"
#include "db/render/RecordBuilder.h"
#include "db/store/Statement.h"

namespace ydb {

class RenderedRecords {
 public:
  explicit RenderedRecords(const RecordLayout& layout) : layout_(layout) {}

  RenderedRecords(const RenderedRecords&) = delete;
  RenderedRecords& operator=(const RenderedRecords&) = delete;

  const RecordLayout& layout() const { return layout_; }

  // Room for one more record, every field absent. The pointer is good
  // until an Add beyond the records reserved.
  void* Add();

  // Adds `count` records already rendered, the bytes at `records`.
  void AddRendered(const void* records, std::size_t count);

  // Adds every record of `buffer`, a record buffer of this layout, and
  // releases it, also when memory runs short while adding.
  void AddAllAndRelease(void* buffer);

  // Makes room for `records` in all, so that Adds up to that many move no
  // record already added.
  void Reserve(std::size_t records) { bytes_.reserve(records * layout_.size()); }

  std::size_t count() const { return bytes_.size() / layout_.size(); }

  // Copies the records into a new record buffer for the caller, who frees
  // it with release_data. No records make an empty buffer, not null.
  Status Finish(void** buffer) const;

 private:
  const RecordLayout& layout_;
  std::vector<unsigned char> bytes_;
};

// Renders one record of `layout` for each row of the bound statement `st`,
// filled by `fill(RecordBuilder&, const Statement& row)`, resets the
// statement and hands the records over as a new buffer. The first failure,
// of a field, a row or the statement, is returned and no buffer is made.
template <typename Fill>
Status RenderEachRow(Statement& st, const RecordLayout& layout, void** buffer, Fill&& fill) {
  RenderedRecords out(layout);
  const Status s = EachRow(st, [&](const Statement& row) {
    RecordBuilder b(out.Add(), layout);
    fill(b, row);
    return b.status();
  });
  if (!s.ok()) return s;
  return out.Finish(buffer);
}

}  // namespace ydb

#endif  // YDB_RENDER_RENDEREDRECORDS_H_
