#pragma once

#include <string_view>

// Writes all of bytes to a file descriptor, going on after a write that stopped part way or was
// interrupted; false with errno set when a write failed.
bool writeFully(int descriptor, std::string_view bytes);
