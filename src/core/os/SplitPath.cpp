// A path split into folder, name and extension.

#include "SplitPath.h"

SplitPathResult SplitPath(const std::string& path)
{
    SplitPathResult result;
    std::string rest = path;
    const auto separator = path.find_last_of("\\/");
    if (separator != std::string::npos) {
        result.folder = path.substr(0, separator);
        rest = path.substr(separator + 1);
    }
    const auto dot = rest.rfind('.');
    if (dot == std::string::npos) {
        result.name = rest;
    } else {
        result.name = rest.substr(0, dot);
        result.extension = rest.substr(dot);
    }
    return result;
}
