// Assembling a search's SQL from the key table's fragments.
#include "db/query/SqlAssembly.h"

#include <map>
#include <set>
#include <string_view>

#include "db/base/Today.h"
#include "db/query/KeyTable.h"
#include "db/query/NameWord.h"
#include "db/query/Relation.h"

namespace ydb {
namespace {

const char* ComparisonSql(Comparison c) {
  switch (c) {
    case Comparison::kEqual: return " = ";
    case Comparison::kNotEqual: return " <> ";
    case Comparison::kAtLeast: return " >= ";
    case Comparison::kMore: return " > ";
    case Comparison::kAtMost: return " <= ";
    case Comparison::kLess: return " < ";
    case Comparison::kBetween: return " BETWEEN ";
  }
  return " = ";
}

// `fragment` with every `mark` replaced by `with`.
std::string Replace(std::string_view fragment, char mark, const std::string& with) {
  std::string out;
  for (const char c : fragment) {
    if (c == mark) {
      out += with;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

class Assembler {
 public:
  explicit Assembler(AssembledQuery* out) : out_(out) {}

  std::string Parameter(std::int64_t number) {
    Binding b;
    b.number = number;
    out_->bindings.push_back(std::move(b));
    return "?" + std::to_string(out_->bindings.size());
  }
  std::string Parameter(std::string text) {
    Binding b;
    b.is_text = true;
    b.text = std::move(text);
    out_->bindings.push_back(std::move(b));
    return "?" + std::to_string(out_->bindings.size());
  }

  // The condition of one key: its terms as alternatives.
  std::string KeyCondition(const KeyDef& def, const std::vector<const Term*>& terms) {
    switch (def.type) {
      case ValueType::kCodes: {
        // Every code of every term, one JSON array bound as one value.
        std::set<std::string> codes;
        for (const Term* t : terms) codes.insert(t->codes.begin(), t->codes.end());
        std::string json = "[";
        for (const std::string& c : codes) {
          if (json.size() > 1) json += ",";
          json += def.width > 0 ? "\"" + c + "\"" : c;
        }
        json += "]";
        return Replace(def.sql, '#', Parameter(json));
      }
      case ValueType::kMeeting:
        return Replace(def.sql, '#', Parameter(terms.front()->codes.front()));
      case ValueType::kNumber:
      case ValueType::kText: {
        std::string any;
        for (const Term* t : terms) {
          if (!any.empty()) any += " OR ";
          any += def.type == ValueType::kText ? TextTest(def, *t) : NumberTest(def, *t);
        }
        return terms.size() > 1 ? "(" + any + ")" : any;
      }
    }
    return "0";
  }

 private:
  std::string NumberTest(const KeyDef& def, const Term& t) {
    std::string test = std::string(def.sql) + ComparisonSql(t.comparison) + Parameter(t.low);
    if (t.comparison == Comparison::kBetween) test += " AND " + Parameter(t.high);
    return test;
  }
  std::string TextTest(const KeyDef& def, const Term& t) {
    return NameTestSql(def.sql, Parameter(t.text), t.pattern);
  }

  AssembledQuery* out_;
};

// The conditions of `group` on the rows of its kind's statement, joined
// with AND; empty for none.
std::string GroupConditions(Assembler& assembler, const Group& group) {
  const KindTable& table = *KeyTableOf(group.kind);
  // The terms of each key, the keys in table order.
  std::map<int, std::vector<const Term*>> by_key;
  for (const Term& t : group.terms) by_key[t.key].push_back(&t);
  std::vector<std::string> tests;
  std::map<std::string_view, std::vector<std::string>> scoped;
  std::vector<std::string_view> scopes;  // in order of first use
  for (const auto& [key, terms] : by_key) {
    const KeyDef& def = table.keys[static_cast<std::size_t>(key)];
    std::string test = assembler.KeyCondition(def, terms);
    if (def.scope == nullptr) {
      tests.push_back(std::move(test));
      continue;
    }
    auto& within = scoped[def.scope];
    if (within.empty()) scopes.push_back(def.scope);
    within.push_back(std::move(test));
  }
  for (const std::string_view scope : scopes) {
    std::string joined;
    for (const std::string& t : scoped[scope]) joined += (joined.empty() ? "" : " AND ") + t;
    tests.push_back(Replace(scope, '@', joined));
  }
  std::string where;
  for (const std::string& t : tests) where += (where.empty() ? "" : " AND ") + t;
  return where;
}

RecordKind RecordKindOf(SearchKind kind) { return static_cast<RecordKind>(kind); }

// The keys of `found`'s records related to a record that meets `group`, of
// another kind: one statement over the keys its kind's search selects.
std::string RelatedToGroup(Assembler& assembler, RecordKind found, const Group& group) {
  const KindTable& table = *KeyTableOf(group.kind);
  const std::string_view select = table.select;
  const std::string conditions = GroupConditions(assembler, group);
  const std::string keys = "(SELECT " + std::string(table.key) + " AS value" +
                           std::string(select.substr(select.find(" FROM "))) +
                           (conditions.empty() ? "1" : conditions) + ") k";
  return RelatedSql(found, RecordKindOf(group.kind), keys);
}

std::string WithToday(std::string sql, Assembler& assembler) {
  if (sql.find('$') == std::string::npos) return sql;
  return Replace(sql, '$', assembler.Parameter(static_cast<std::int64_t>(Today())));
}

}  // namespace

AssembledQuery AssembleQuery(const Condition& condition) {
  AssembledQuery out;
  const KindTable& table = *KeyTableOf(condition.kind);
  Assembler assembler(&out);
  std::string where;
  for (const Group& group : condition.groups) {
    std::string test = group.kind == condition.kind
                           ? GroupConditions(assembler, group)
                           : std::string(table.match) + " IN (" +
                                 RelatedToGroup(assembler, RecordKindOf(condition.kind), group) + ")";
    if (!test.empty()) where += (where.empty() ? "" : " AND ") + test;
  }
  out.sql = WithToday(std::string(table.select) + (where.empty() ? "1" : where) + table.order,
                      assembler);
  return out;
}

AssembledQuery AssembleRelated(RecordKind found, const Group& group) {
  AssembledQuery out;
  Assembler assembler(&out);
  out.sql = WithToday(RelatedToGroup(assembler, found, group), assembler);
  return out;
}

}  // namespace ydb
