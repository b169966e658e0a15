#pragma once

#include "core/merge/SeamCheck.h"

// What a finding of each rule means, in English, as corvane-merge prints it.
const char* findingReason(SeamRule rule);
// Why a file could not be used, in English; the system's own text for its errors.
std::string fileErrorText(const FileError& error);
