// The records of one fetch while they are rendered, and the record buffer
// (ybl.h) they become when the fetch is done. A fetch of one record per row
// of a query is RenderEachRow:
//
//   return RenderEachRow(st, ResultRunnerLayout(), buffer,
//                        [&](RecordBuilder& b, const Statement& row) { ... });
#ifndef YDB_RENDER_RENDEREDRECORDS_H_
#define YDB_RENDER_RENDEREDRECORDS_H_

#include <cstddef>
#include <cstring>
#include <utility>

#include "db/base/Status.h"
#include "db/layout/RecordLayout.h"
#include "db/render/RecordBuilder.h"
#include "db/store/Statement.h"

namespace ydb {

class RenderedRecords {
 public:
  explicit RenderedRecords(const RecordLayout& layout) : layout_(layout) {}
  ~RenderedRecords();

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
  void Reserve(std::size_t records);

  std::size_t count() const { return count_; }

  // Drops the records from the `first`th on for which
  // `keep(const unsigned char* record)` is false; the others keep their order.
  template <typename Keep>
  void KeepFrom(std::size_t first, Keep&& keep) {
    const std::size_t size = layout_.size();
    std::size_t kept = first;
    for (std::size_t i = first; i < count_; ++i) {
      const unsigned char* record = records_ + i * size;
      if (!keep(record)) continue;
      if (kept != i) std::memmove(records_ + kept * size, record, size);
      ++kept;
    }
    count_ = kept;
  }

  // Hands the records over as a record buffer for the caller, who frees it
  // with release_data; no records are left here. No records make an empty
  // buffer, not null.
  Status Finish(void** buffer);

 private:
  // Room for `more` records after the last, the space growing by half
  // again at least; std::bad_alloc when the memory is short.
  unsigned char* Extend(std::size_t more);

  const RecordLayout& layout_;
  // A record buffer with room for capacity_ records, count_ of them added;
  // grown in place where the allocator can, so that a large fetch is not
  // copied as it grows.
  unsigned char* records_ = nullptr;
  std::size_t count_ = 0;
  std::size_t capacity_ = 0;
};

// Adds to `out` one record for each row of the bound statement `st`,
// filled by `fill(RecordBuilder&, const Statement& row)`, and resets the
// statement. The first failure, of a field, a row or the statement, is
// returned; the records added before it stay.
template <typename Fill>
Status AddEachRow(Statement& st, RenderedRecords* out, Fill&& fill) {
  return EachRow(st, [&](const Statement& row) {
    RecordBuilder b(out->Add(), out->layout());
    fill(b, row);
    return b.status();
  });
}

// Renders one record of `layout` for each row of the bound statement `st`
// as AddEachRow adds them and hands the records over as a new buffer. On
// a failure no buffer is made.
template <typename Fill>
Status RenderEachRow(Statement& st, const RecordLayout& layout, void** buffer, Fill&& fill) {
  RenderedRecords out(layout);
  const Status s = AddEachRow(st, &out, std::forward<Fill>(fill));
  if (!s.ok()) return s;
  return out.Finish(buffer);
}

}  // namespace ydb

#endif  // YDB_RENDER_RENDEREDRECORDS_H_
