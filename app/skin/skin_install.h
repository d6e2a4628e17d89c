#pragma once
// Installing the skin engine beside the program and applying a built-in skin.
#include <cstdint>

#include "text/text.h"

namespace kelvora {

// Writes SkinH_EL.dll into the program folder unless anything exists there
// (a file, a folder or a dangling link alike). Failures are silent; a write
// that fails part-way leaves no file behind.
void ensure_skin_engine();

// ensure_skin_engine, then hands built-in skin `number` (1..33) to the engine;
// a number outside that range hands over no skin. An engine that cannot be
// loaded ends the program through fatal_stop.
void apply_builtin_skin(std::int32_t number);

// The start-up step: apply_builtin_skin(13).
void install_skin();

// Unloads the engine library, if loaded.
void unload_skin_engine();

// The fatal-stop message for an engine that cannot be loaded or lacks its
// entry point (GBK).
Text skin_engine_missing_message();

}  // namespace kelvora
