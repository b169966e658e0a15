#pragma once

#include "core/SeamCheck.h"

// What a finding of each rule means, in English, as corvane-merge prints it.
const char* findingReason(SeamRule rule);
