// `ydbcln pedigree HORSECODE`: a horse's three generations as a tree, the
// parents with their Latin names, coat colours and years of birth, an
// imported horse marked "*"; with --json, the same tree as nested objects.
#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>
#include <string>

#include "Command.h"
#include "Printable.h"
#include "Session.h"
#include "WholeNames.h"

namespace tool {
namespace {

// Keys in the order written: the horse, then sire before dam.
using Json = nlohmann::ordered_json;

// One horse of the tree: its names without the import mark, and whether it
// carried one.
struct Named {
  std::string name;
  std::string name_latin;
  bool imported = false;
};

std::string WithoutMark(const std::string& sjis, bool* marked) {
  if (sjis.empty() || sjis.back() != '*') return sjis;
  *marked = true;
  return sjis.substr(0, sjis.size() - 1);
}

Named Ancestor(const std::string& name) {
  Named n;
  n.name = Utf8(WithoutMark(name, &n.imported));
  return n;
}

Named Parent(const YBloodFM& fm) {
  Named n;
  n.name = Utf8(WithoutMark(fm.name, &n.imported));
  n.name_latin = Utf8(WithoutMark(fm.name2, &n.imported));
  return n;
}

// The year of birth of a parent; 0 when the record has none.
int BirthYear(const YBloodFM& fm) {
  if (fm.text4.size() != 4) return 0;
  int year = 0;
  for (char c : fm.text4) {
    if (c < '0' || c > '9') return 0;
    year = year * 10 + (c - '0');
  }
  return year;
}

// Where the ancestors on the side of parent p (0 sire, 1 dam) sit in
// YBlood::ancestor: its parent i (0 sire, 1 dam), and the parent i of its
// parent g.
int Grandparent(int p, int i) { return 2 * p + i; }
int GreatGrandparent(int p, int g, int i) { return 4 + 4 * p + 2 * g + i; }

const char* const kRole[2] = {"sire", "dam "};

// --- Text ------------------------------------------------------------------

std::string Label(const Named& n) {
  if (n.name.empty() && n.name_latin.empty()) return "(not known)";
  std::string text = n.name.empty() ? n.name_latin : n.name;
  if (n.imported) text += "*";
  if (!n.name.empty() && !n.name_latin.empty()) text += " (" + n.name_latin + ")";
  return text;
}

// The tree under the horse's `name` (whole where the data set keeps it).
void PrintText(const YBlood& blood, const std::string& name) {
  std::cout << name << "  " << blood.code << "\n";
  bool marked = false;
  for (int p = 0; p < YBlood::kParents; ++p) {
    const char* branch = p == 0 ? "├── " : "└── ";
    const char* under = p == 0 ? "│   " : "    ";
    const YBloodFM& fm = blood.parent[p];
    const Named parent = Parent(fm);
    marked |= parent.imported;
    std::cout << branch << kRole[p] << "  " << Label(parent);
    if (!fm.color.empty()) std::cout << "  " << Utf8(fm.color);
    if (BirthYear(fm) != 0) std::cout << "  born " << BirthYear(fm);
    std::cout << "\n";
    for (int g = 0; g < 2; ++g) {
      const Named grand = Ancestor(blood.ancestor[Grandparent(p, g)]);
      marked |= grand.imported;
      std::cout << under << (g == 0 ? "├── " : "└── ") << kRole[g] << "  " << Label(grand) << "\n";
      for (int i = 0; i < 2; ++i) {
        const Named great = Ancestor(blood.ancestor[GreatGrandparent(p, g, i)]);
        marked |= great.imported;
        std::cout << under << (g == 0 ? "│   " : "    ") << (i == 0 ? "├── " : "└── ") << kRole[i]
                  << "  " << Label(great) << "\n";
      }
    }
  }
  if (marked) std::cout << "* imported\n";
}

// --- JSON ------------------------------------------------------------------

Json Node(const Named& n) {
  if (n.name.empty() && n.name_latin.empty()) return nullptr;
  Json out = {{"name", n.name}, {"imported", n.imported}};
  if (!n.name_latin.empty()) out["name_latin"] = n.name_latin;
  return out;
}

// A node with its sire and dam under it; a horse not known keeps its
// parents when they are known.
Json WithParents(Json node, Json sire, Json dam) {
  if (node.is_null()) node = Json::object();
  node["sire"] = std::move(sire);
  node["dam"] = std::move(dam);
  return node;
}

void PrintJson(const YBlood& blood, const std::string& name) {
  Json out = {{"code", blood.code}, {"name", name}};
  for (int p = 0; p < YBlood::kParents; ++p) {
    const YBloodFM& fm = blood.parent[p];
    Json parent = Node(Parent(fm));
    if (!parent.is_null()) {
      const int year = BirthYear(fm);
      parent["birth_year"] = year != 0 ? Json(year) : Json(nullptr);
      parent["colour"] = Utf8(fm.color);
    }
    Json grand[2];
    for (int g = 0; g < 2; ++g) {
      grand[g] = WithParents(Node(Ancestor(blood.ancestor[Grandparent(p, g)])),
                             Node(Ancestor(blood.ancestor[GreatGrandparent(p, g, 0)])),
                             Node(Ancestor(blood.ancestor[GreatGrandparent(p, g, 1)])));
    }
    out[p == 0 ? "sire" : "dam"] = WithParents(std::move(parent), grand[0], grand[1]);
  }
  std::cout << out.dump(2) << "\n";
}

bool IsHorseCode(const std::string& code) {
  if (code.size() != 7) return false;
  for (char c : code) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

int ShowPedigree(const Options& options, const std::string& code) {
  if (!IsHorseCode(code)) {
    std::cerr << "ydbcln: not a horse code (7 digits): " << Quoted(code) << "\n";
    return kExitBadArguments;
  }
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return 1;
  YBlood blood(&db, code);
  if (db.geterrstatus() != 0) {
    std::cerr << "ydbcln: cannot read the pedigree of " << Quoted(code) << ": "
              << Utf8(db.geterrmessage()) << "\n";
    return 1;
  }
  if (!blood.exist()) {
    std::cerr << "ydbcln: no pedigree of horse " << Quoted(code) << " in the data set\n";
    return 1;
  }
  const std::string name =
      WholeNames(options.data_dir).of(ydb::DataSet::Name::kHorse, code, Utf8(blood.name));
  if (options.json) {
    PrintJson(blood, name);
  } else {
    PrintText(blood, name);
  }
  return 0;
}

}  // namespace

void RegisterPedigree(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand("pedigree", "Show a horse's three generations");
  auto code = std::make_shared<std::string>();
  cmd->add_option("HORSECODE", *code, "The horse's 7-digit code")->required();
  cmd->callback([&options, exit_code, code] { *exit_code = ShowPedigree(options, *code); });
}

}  // namespace tool
