// The Writer's calls: each one transaction around the puts of
// EntityWriter.cpp and RaceWriter.cpp.
#include "db/write/Writer.h"

#include <exception>
#include <string>

#include "db/write/Bind.h"

namespace ydb {

Status Writer::transact(const std::function<Status()>& body) {
  derived_.discard();
  try {
    Transaction transaction(db_);
    if (!transaction.begin_status().ok()) {
      return Context("cannot begin a transaction", transaction.begin_status());
    }
    Status s = body();
    if (s.ok()) s = derived_.flush();
    if (s.ok()) s = Context("cannot commit", transaction.commit());
    if (!s.ok()) forgetKnown();  // the transaction rolls back as it goes out of scope
    return s;
  } catch (const std::exception& e) {
    forgetKnown();
    return Status::IOError(std::string("write abandoned: ") + e.what());
  } catch (...) {
    forgetKnown();
    return Status::IOError("write abandoned: unknown exception");
  }
}

void Writer::forgetKnown() {
  for (auto& codes : known_) codes.clear();
}

Status Writer::requireExists(Table table, const std::string& code, const std::string& what) {
  struct Source {
    const char* noun;
    const char* sql;
  };
  static const Source kSources[] = {
      {"owner", "SELECT 1 FROM owner WHERE code = ?1"},
      {"breeder", "SELECT 1 FROM breeder WHERE code = ?1"},
      {"trainer", "SELECT 1 FROM trainer WHERE code = ?1"},
      {"jockey", "SELECT 1 FROM jockey WHERE code = ?1"},
      {"horse", "SELECT 1 FROM horse WHERE code = ?1"},
      {"sire", "SELECT 1 FROM sire WHERE code = ?1"},
  };
  const Source& source = kSources[static_cast<int>(table)];
  std::unordered_set<std::string>& found_before = known(table);
  if (found_before.count(code) > 0) return Status::Ok();
  Statement& st = db_.statement(source.sql);
  st.bind(1, code);
  const bool found = st.step();
  const Status s = st.status();
  st.reset();
  if (!s.ok()) return Context(what, s);
  if (!found) return Status::InvalidArgument(what + ": " + source.noun + " " + code + " is not in the store");
  found_before.insert(code);
  return Status::Ok();
}

Status Writer::write(const Owner& owner) {
  return transact([&] { return putOwner(owner); });
}

Status Writer::write(const Breeder& breeder) {
  return transact([&] { return putBreeder(breeder); });
}

Status Writer::write(const Trainer& trainer) {
  return transact([&] { return putTrainer(trainer); });
}

Status Writer::write(const Jockey& jockey) {
  return transact([&] { return putJockey(jockey); });
}

Status Writer::write(const Horse& horse) {
  return transact([&] { return putHorse(horse); });
}

Status Writer::write(const Sire& sire) {
  return transact([&] { return putSire(sire); });
}

Status Writer::write(const Race& race) {
  return transact([&] { return putRace(race); });
}

Status Writer::write(const std::vector<Race>& races) {
  return transact([&] {
    for (const Race& race : races) {
      Status s = putRace(race);
      if (!s.ok()) return s;
    }
    return Status::Ok();
  });
}

Status Writer::write(const Batch& batch) { return write(batch, {}); }

Status Writer::write(const Batch& batch, const std::vector<RaceKey>& removed) {
  return transact([&] {
    Status s;
    for (const Owner& x : batch.owners) {
      if (s.ok()) s = putOwner(x);
    }
    for (const Breeder& x : batch.breeders) {
      if (s.ok()) s = putBreeder(x);
    }
    for (const Trainer& x : batch.trainers) {
      if (s.ok()) s = putTrainer(x);
    }
    for (const Jockey& x : batch.jockeys) {
      if (s.ok()) s = putJockey(x);
    }
    for (const Horse& x : batch.horses) {
      if (s.ok()) s = putHorse(x);
    }
    for (const Sire& x : batch.sires) {
      if (s.ok()) s = putSire(x);
    }
    for (const Race& x : batch.races) {
      if (s.ok()) s = putRace(x);
    }
    for (const RaceKey& x : removed) {
      if (s.ok()) s = dropRace(x);
    }
    return s;
  });
}

}  // namespace ydb
