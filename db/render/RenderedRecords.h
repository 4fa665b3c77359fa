// The records of one fetch while they are rendered, and the record buffer
// (ybl.h) they become when the fetch is done.
//
//   RenderedRecords out(ResultRunnerLayout());
//   while (st.step()) {
//     RecordBuilder b(out.Add(), out.layout());
//     ...
//     if (!b.status().ok()) return b.status();
//   }
//   return out.Finish(buffer);
#ifndef YDB_RENDER_RENDEREDRECORDS_H_
#define YDB_RENDER_RENDEREDRECORDS_H_

#include <cstddef>
#include <vector>

#include "db/layout/RecordLayout.h"
#include "db/store/Status.h"

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

}  // namespace ydb

#endif  // YDB_RENDER_RENDEREDRECORDS_H_
