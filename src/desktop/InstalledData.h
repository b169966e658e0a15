#pragma once

#include <QString>

// The read-only data an installed Corvane ships (the sample tool lists, the cells' logo), in
// share/corvane beside the installed program.
QString installedDataFolder();
