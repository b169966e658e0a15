#pragma once

#include <string>

// The extension of the merge output for an output type (1 ".NC", 2 ".i", 3 ".ANC", 4 ".MPF",
// 5 the first job file's own, 6 the custom one); any other type gives none.
std::string outputExtension(int outputType, const std::string& firstJobFile,
                            const std::string& customExtension);

// The output file in folder, named baseName plus extension.
std::string outputFilePath(const std::string& folder, const std::string& baseName,
                           const std::string& extension);
