// The soak run's parts, one per resident program (soak_*.cpp); each runs
// every action of its program at `scale` and returns whether all held.
#ifndef TESTBED_SOAK_PARTS_H
#define TESTBED_SOAK_PARTS_H

#include "soak.h"

#include <cstdio>

namespace soak {

bool SoakResolutionChanger(double scale);
bool SoakOrientationChanger(double scale);
bool SoakProgmanClient(double scale);

}  // namespace soak

#endif
