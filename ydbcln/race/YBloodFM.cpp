// One parent of a pedigree.
#include "ydbcln/race/YBloodFM.h"

YBloodFM::YBloodFM() = default;

YBloodFM::YBloodFM(const YBloodFM& other) = default;

YBloodFM& YBloodFM::operator=(const YBloodFM& other) = default;

YBloodFM::~YBloodFM() = default;
