#include "app/fatal_stop.h"

#include <cstdlib>

namespace kelvora {

// Placeholder until the message box lands.
void fatal_stop(const Text&) { std::_Exit(255); }

}  // namespace kelvora
