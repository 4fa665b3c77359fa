// The display texts of a full entity object (YHorse, YJockey ...) named
// once, so that copying them and emptying them read the same list. Each
// class lists its public string members as pointers to members.
#ifndef YDBCLN_ENTITY_ENTITYTEXTS_H_
#define YDBCLN_ENTITY_ENTITYTEXTS_H_

#include <array>
#include <cstddef>
#include <string>

namespace yentity {

template <typename T, std::size_t N>
using Texts = std::array<std::string T::*, N>;

// Copies the texts `texts` names from `from` into `to`; may run out of
// memory part way.
template <typename T, std::size_t N>
void copy_texts(T* to, const T& from, const Texts<T, N>& texts) {
  for (std::string T::*text : texts) to->*text = from.*text;
}

// Empties them; never allocates.
template <typename T, std::size_t N>
void clear_texts(T* object, const Texts<T, N>& texts) noexcept {
  for (std::string T::*text : texts) (object->*text).clear();
}

}  // namespace yentity

#endif  // YDBCLN_ENTITY_ENTITYTEXTS_H_
