// The optimiser's individuals and their evaluation.
//
// GAPARAMS is a theory of eight items as genes. A gene's item is ordinal:
// gene k indexes the candidate items that remain after the items of genes
// 0 to k-1 have been taken out, so it lies in 0 to (items - 1 - k) and the
// eight items of an individual are always distinct.
#ifndef YDBCLN_THEORY_GENETICRECORDS_H_
#define YDBCLN_THEORY_GENETICRECORDS_H_

#include <cstdint>

struct GAPARAMS {
  static constexpr int kGenes = 8;
  struct Gene {
    std::uint16_t item;   // ordinal index into the remaining candidates
    std::uint8_t weight;  // 1 to 100
  };
  Gene gene[kGenes];
};

// Gene by gene.
inline bool operator==(const GAPARAMS& a, const GAPARAMS& b) {
  for (int k = 0; k < GAPARAMS::kGenes; ++k) {
    if (a.gene[k].item != b.gene[k].item || a.gene[k].weight != b.gene[k].weight) return false;
  }
  return true;
}

struct EVALVALUE {
  double hitrate = 0.0;     // percent of the races counted that had a hit
  double returnrate = 0.0;  // percent of the stake returned
  double fitness = 0.0;     // hit rate × its weight + return rate × its weight
};

#endif  // YDBCLN_THEORY_GENETICRECORDS_H_
