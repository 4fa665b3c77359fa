// Filling the pages of a code page 932 table through iconv (CodePageTable.h).
#include "text/CodePageTable.h"

namespace ytext {

CodePageTable::CodePageTable(const char* to, const char* from, KeyBytes key_bytes, char32_t key_count)
    : cd_(iconv_open(to, from)),
      key_bytes_(key_bytes),
      owned_((key_count + 255) / 256),
      pages_(new std::atomic<const Page*>[owned_.size()]()) {}

CodePageTable::~CodePageTable() {
  if (usable()) iconv_close(cd_);
}

const CodePageTable::Page* CodePageTable::Fill(std::size_t number) {
  std::lock_guard<std::mutex> lock(mu_);
  if (const Page* page = pages_[number].load(std::memory_order_relaxed)) return page;
  auto page = std::make_unique<Page>();
  for (std::size_t low = 0; low < 256; ++low) {
    char in[4];
    const std::size_t in_size = key_bytes_(static_cast<char32_t>(number << 8 | low), in);
    Char& c = (*page)[low];
    char* in_ptr = in;
    std::size_t in_left = in_size;
    char* out_ptr = c.bytes;
    std::size_t out_left = sizeof c.bytes;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    // A character that iconv rejects, or converts only in part, has no form.
    c.convertible = iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<std::size_t>(-1) &&
                    in_left == 0;
    c.size = static_cast<unsigned char>(c.convertible ? out_ptr - c.bytes : 0);
  }
  const Page* published = page.get();
  owned_[number] = std::move(page);
  pages_[number].store(published, std::memory_order_release);
  return published;
}

}  // namespace ytext
