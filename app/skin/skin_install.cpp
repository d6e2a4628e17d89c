#include "app/skin/skin_install.h"

namespace kelvora {

// Placeholders until the engine lands.
void ensure_skin_engine() {}
void apply_builtin_skin(int32_t) {}
void install_skin() { apply_builtin_skin(13); }
void unload_skin_engine() {}

}  // namespace kelvora
