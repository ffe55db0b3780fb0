#include "model/OrgProp.h"

#include <algorithm>

namespace qx {

void OrgProp::merge(const OrgProp& other) {
    fitness = std::max(fitness, other.fitness);
    sequence = std::min(sequence, other.sequence);
}

} // namespace qx
