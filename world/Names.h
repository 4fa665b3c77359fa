// Names of the world: horse names in katakana with their Latin spelling
// (at most nine katakana, as the racing authority allows), Japanese names of
// people, owners' companies with the crown (冠名) they put before their
// horses' names, and breeders' farms. Every horse name and person name is
// used once.
#ifndef YDB_WORLD_NAMES_H_
#define YDB_WORLD_NAMES_H_

#include <cstddef>
#include <string>

#include "world/Random.h"
#include "world/World.h"

namespace world {

struct HorseName {
  std::string kana;
  std::string latin;
};

// A horse name not yet in `world`, which it then reserves. With a crown,
// most names begin with it.
HorseName NewHorseName(World& world, Random& random, const std::string& crown = "");

// A name for an imported ancestor: Latin first, written in katakana.
HorseName NewImportedName(World& world, Random& random);

struct PersonName {
  std::string kanji;      // family and given name, no blank
  std::string kana;       // family and given name in katakana, a blank between
  std::string family;     // the family name in kanji
  std::string given;      // the given name in kanji
};

// A person name not yet in `world`, which it then reserves.
PersonName NewPersonName(World& world, Random& random, bool female);

// The short form of a rider's or trainer's name as race cards print it:
// family name and the first character of the given name, within 8 bytes.
std::string ShortPersonName(const PersonName& name);

struct OwnerName {
  std::string name;
  std::string short_name;
  std::string crown;
};
OwnerName NewOwnerName(World& world, Random& random);

std::string NewBreederName(World& world, Random& random);

// Bytes a UTF-8 text of kana, kanji and ASCII takes in Shift_JIS.
std::size_t SjisWidth(const std::string& utf8);

// Characters of a UTF-8 text.
std::size_t CharCount(const std::string& utf8);

}  // namespace world

#endif  // YDB_WORLD_NAMES_H_
