#pragma once

#include <QString>

#include <functional>

// Starts a program with one parameter and leaves it running on its own, without waiting for it;
// started learns later, on the calling thread, whether it started: false when it could not, or
// ended at once with an error. One implementation per platform.
void startProgramDetached(const QString& executable, const QString& parameter,
                          std::function<void(bool started)> started);
