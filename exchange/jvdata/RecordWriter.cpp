// Building JV-Data records field by field.
#include "exchange/jvdata/RecordWriter.h"

#include "text/sjis.h"

namespace exchange {
namespace jvdata {

RecordWriter::RecordWriter(std::string_view type, int length, char stage, int created)
    : bytes_(static_cast<std::size_t>(length < 13 ? 13 : length), ' ') {
  bytes_[bytes_.size() - 2] = '\r';
  bytes_[bytes_.size() - 1] = '\n';
  put(0, 2, type);
  put(2, 1, std::string_view(&stage, 1));
  digits(3, 8, created);
}

void RecordWriter::put(int offset, int width, std::string_view bytes) {
  const std::size_t at = static_cast<std::size_t>(offset);
  std::size_t room = static_cast<std::size_t>(width);
  if (offset < 0 || width <= 0 || at >= bytes_.size() - 2) return;
  if (room > bytes_.size() - 2 - at) room = bytes_.size() - 2 - at;
  const std::size_t n = bytes.size() < room ? bytes.size() : room;
  bytes_.replace(at, n, bytes.substr(0, n));
  bytes_.replace(at + n, room - n, room - n, ' ');
}

void RecordWriter::text(int offset, int width, std::string_view utf8) {
  if (width <= 0) return;
  const std::string sjis = ytext::to_sjis_lossy(utf8);
  const std::size_t fits = ytext::cut_length(sjis, static_cast<std::size_t>(width));
  put(offset, width, std::string_view(sjis).substr(0, fits));
}

void RecordWriter::digits(int offset, int width, std::int64_t value) {
  std::string text = value < 0 ? std::string() : std::to_string(value);
  if (text.size() > static_cast<std::size_t>(width)) text.clear();
  if (!text.empty()) text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
  put(offset, width, text);
}

void RecordWriter::code(int offset, int width, std::string_view ascii) { put(offset, width, ascii); }

}  // namespace jvdata
}  // namespace exchange
