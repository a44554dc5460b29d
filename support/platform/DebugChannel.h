// The system's channel for diagnostic text: OutputDebugStringW on Windows, standard error elsewhere.
#pragma once

#include <string_view>

// Writes `text` (UTF-8) as it is, whole. Callable from any thread.
void WriteDebugChannel(std::string_view text);
