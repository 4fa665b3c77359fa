// RowRecord: the record an entity list row reads. A row built by a search
// points into the search's result buffer (the search must outlive it); a
// copied row holds a private copy of the record, freed with the row.
//
// A copy whose allocation fails leaves status 1003 on the session and the
// row without record, as if it had been built from a null one.
#ifndef YDBCLN_ENTITY_ROWRECORD_H_
#define YDBCLN_ENTITY_ROWRECORD_H_

#include <string>

class YHorseDB;

class RowRecord {
 public:
  // No record.
  RowRecord() = default;
  // Points at the `size` bytes of `record` (may be null), owned elsewhere.
  RowRecord(const void* record, int size);
  RowRecord(const RowRecord&) = delete;
  RowRecord& operator=(const RowRecord&) = delete;
  ~RowRecord();

  // Makes this a private copy of `other`'s record, releasing the copy held
  // before; on a failed allocation sets 1003 on `db` (when not null) and
  // holds no record. Copying a record into itself changes nothing.
  void copy_from(YHorseDB* db, const RowRecord& other);

  // The record's bytes, null without record.
  unsigned char* bytes() const { return const_cast<unsigned char*>(bytes_); }
  bool owned() const { return owned_; }
  // The `width` bytes at `offset` taken whole; empty without record.
  std::string raw(int offset, int width) const;

 private:
  void release();

  const unsigned char* bytes_ = nullptr;
  int size_ = 0;
  bool owned_ = false;
};

#endif  // YDBCLN_ENTITY_ROWRECORD_H_
