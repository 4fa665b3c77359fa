// Age curve, aptitudes and the trainer's plan.
#include "world/Performance.h"

#include <cmath>

#include "world/Dates.h"

namespace world {

double AgeCurve(const Horse& horse, int date) {
  // Months of age from 1 January of the foaling year, shifted by how early
  // the horse matures.
  const double months = (YearOf(date) - YearOf(horse.birth_date)) * 12.0 + (MonthOf(date) - 1) +
                        horse.maturity;
  double deficit = 0.0;
  if (months < 54.0) deficit -= 12.0 * std::pow((54.0 - months) / 30.0, 1.5);
  if (months > 68.0) deficit -= 1.6 * std::pow((months - 68.0) / 12.0, 1.5);
  return deficit;
}

double Condition(const Horse& horse, int date) {
  return horse.ability + AgeCurve(horse, date) + horse.form;
}

double Aptitude(const Horse& horse, Surface surface, int distance, int going) {
  double fit = 0.0;
  switch (surface) {
    case Surface::kTurf:
      fit -= 1.6 * horse.genes.dirt;
      break;
    case Surface::kDirt:
      fit += 1.6 * horse.genes.dirt;
      break;
    case Surface::kJump:
      fit += 2.2 * horse.genes.jumping + (horse.jump_runs > 0 ? 1.0 : -1.0);
      distance = 2600;  // over hurdles the gallop is slower: a middle-distance test
      break;
  }
  const double off = std::log(static_cast<double>(distance)) - horse.genes.distance;
  fit -= 30.0 * off * off;
  fit += 0.8 * horse.genes.heavy * going;
  return fit;
}

double PlanFit(const Horse& horse, Surface surface, int distance) {
  const double off = std::log(static_cast<double>(distance) / horse.target_distance);
  return -5.0 * std::fabs(off) - (surface == horse.target_surface ? 0.0 : 3.0);
}

}  // namespace world
