#pragma once
#include "text/text.h"

namespace kelvora {

// Shows "运行时出错!" with the message in an owner-less error box, then ends the
// process with exit code -1 without running the exit step.
[[noreturn]] void fatal_stop(const Text& message);

}  // namespace kelvora
