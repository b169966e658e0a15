#pragma once

// A path split into folder, name and extension, and put together again.

#include <string>

struct SplitPathResult
{
    std::string folder;    // without the trailing separator
    std::string name;      // without the extension
    std::string extension; // with its leading dot, or empty
};

// Splits at the last "\" or "/" and then at the last "." of what follows.
SplitPathResult SplitPath(const std::string& path);
