// Reads an icon file (.ico) whose entries are PNG pictures, as modern icon files store their
// sizes, into one frame per entry, smallest first. Entries in the older bitmap form are skipped.
// Stateless; any thread.
#pragma once

#include <cstddef>
#include <vector>

#include "dui/include/core/RenderTypes.h"

bool LooksLikeIco(const void* data, std::size_t size);
// Empty when no entry is a readable PNG.
std::vector<ImgFrame> DecodeIco(const void* data, std::size_t size);
