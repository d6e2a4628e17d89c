#include "harvest/harvest.h"

namespace kelvora {

void start_harvest() {}

void harvest_groups() {}

}  // namespace kelvora
