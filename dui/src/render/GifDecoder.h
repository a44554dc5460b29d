// Decodes a GIF file in memory into the frames a viewer shows: each frame composed on the logical
// screen with the previous frames' disposal and the transparent colour applied, with its delay.
// A file damaged part-way keeps the frames read completely before the damage. Stateless; any thread.
#pragma once

#include <cstddef>
#include <vector>

#include "dui/include/core/RenderTypes.h"

bool LooksLikeGif(const void* data, std::size_t size);
// Empty when the bytes are not a GIF or no frame is complete.
std::vector<ImgFrame> DecodeGif(const void* data, std::size_t size);
