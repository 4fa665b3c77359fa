// One direction of the code page 932 conversion, remembered character by
// character.
//
// iconv decides what each character becomes, but asking it costs thousands
// of instructions per text and a descriptor can serve one thread at a time,
// while records convert the same few thousand characters over and over. A
// table therefore asks iconv about each character once. Its keys (code
// points, or Shift_JIS codes with the lead byte high and single bytes below
// 0x100) are split into pages of 256: one page per block of code points,
// one per lead byte. The first lookup of a key fills its whole page by
// converting each of the page's 256 characters through iconv under the
// table's lock, then publishes the page; every later lookup in it reads
// the page without locking. Pages are kept until the table is destroyed.
#ifndef YDB_TEXT_CODEPAGETABLE_H_
#define YDB_TEXT_CODEPAGETABLE_H_

#include <iconv.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

namespace ytext {

class CodePageTable {
 public:
  // A character in the target encoding: `size` bytes when `convertible`
  // (possibly none: iconv drops the tag characters U+E0000-U+E007F).
  // Not convertible when the source character has no form there, or the
  // key stands for no character at all.
  struct Char {
    bool convertible;
    unsigned char size;
    char bytes[4];
  };

  // Writes the source-encoding bytes of the character `key` stands for to
  // `bytes` (room for 4) and answers how many there are.
  using KeyBytes = std::size_t (*)(char32_t key, char* bytes);

  // A table for converting from the iconv encoding `from` to `to` with the
  // keys below `key_count`, reading the character of a key as `key_bytes`
  // writes it.
  CodePageTable(const char* to, const char* from, KeyBytes key_bytes, char32_t key_count);
  ~CodePageTable();
  CodePageTable(const CodePageTable&) = delete;
  CodePageTable& operator=(const CodePageTable&) = delete;

  // False when iconv cannot convert between the two encodings; no lookup
  // may be made then.
  bool usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // The target form of the character `key` (below the key count) stands for.
  const Char& Lookup(char32_t key) {
    const Page* page = pages_[key >> 8].load(std::memory_order_acquire);
    if (page == nullptr) page = Fill(key >> 8);
    return (*page)[key & 0xFF];
  }

 private:
  using Page = std::array<Char, 256>;

  // Converts the characters of page `number` through iconv, publishes the
  // page and returns it (or the one another thread published first).
  const Page* Fill(std::size_t number);

  const iconv_t cd_;
  const KeyBytes key_bytes_;
  std::mutex mu_;  // guards cd_ (it carries shift state) and owned_
  std::vector<std::unique_ptr<const Page>> owned_;
  const std::unique_ptr<std::atomic<const Page*>[]> pages_;  // null until filled
};

}  // namespace ytext

#endif  // YDB_TEXT_CODEPAGETABLE_H_
