#include "viewer/viewer_cycle.h"

namespace kelvora {

void show_next_group() {}

}  // namespace kelvora
