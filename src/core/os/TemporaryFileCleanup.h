#pragma once

#include <string>

// The temporary file being written, so that a signal handler can remove it before the process
// ends. One file at a time: the program writes one output at a time.
namespace TemporaryFileCleanup {

void track(const std::string& path);
void forget();
// Removes the tracked file. Only async-signal-safe calls: safe inside a signal handler.
void removeNow();

} // namespace TemporaryFileCleanup
