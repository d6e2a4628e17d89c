#pragma once
// The one entry point of the skin engine library (SkinH_EL.dll).
//
// SkinH_AttachRes reads a skin (see skin_format.h), shifts its colours by
// `hue` degrees and by `saturation` and `brightness` percentage points, and
// sets the result on the running QApplication as a style sheet and a palette,
// so that every widget created afterwards is drawn in the skin's look. The
// skin bytes are not kept: the caller may release them once the call returns.
// `password` is accepted for callers that pass one; version-1 skins are not
// encrypted, so it is not used (null counts as empty).
//
// Results (the look is changed only on 0):
//   0  the skin was applied
//   1  no skin: a null address or a count of 0 or less
//   2  not a readable skin: wrong magic, unknown version, truncated or malformed
//   3  no QApplication exists, or the call came from another thread than its own
//
// The engine keeps nothing of its own after the call returns (no Qt object,
// timer or static with a destructor), so unloading the library is safe while
// the look stays in place.
#include <cstdint>

#define KELVORA_SKIN_ENGINE_EXPORT __attribute__((visibility("default")))

extern "C" KELVORA_SKIN_ENGINE_EXPORT int SkinH_AttachRes(const unsigned char* skin,
                                                          std::int32_t size,
                                                          const char* password,
                                                          std::int32_t hue,
                                                          std::int32_t saturation,
                                                          std::int32_t brightness);
