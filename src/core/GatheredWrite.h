#pragma once

#include <span>
#include <string_view>

// Writes every piece to a file descriptor, one after another, in as few system calls as the
// system allows; false with errno set when a write failed.
bool writeGathered(int descriptor, std::span<const std::string_view> pieces);
