#pragma once
// A walk over the blocks of a GIF file, without decoding any pixel: it
// tells the picture's size and frame count, and finds a file cut short or
// broken in its block structure. Pure and Qt-free.
#include <optional>
#include <string_view>

namespace kelvora {

struct GifOutline {
  int width = 0;   // the larger of the logical screen and any frame's extent
  int height = 0;
  int frames = 0;  // counted up to max_frames + 1 at most
};

// The outline of a complete GIF, or nothing when its blocks are broken or
// end early. A file that ends right after a complete block, without the
// trailer byte, counts as complete. The walk stops counting once more than
// max_frames frames are seen.
std::optional<GifOutline> read_gif_outline(std::string_view bytes, int max_frames);

}  // namespace kelvora
