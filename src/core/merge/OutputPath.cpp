// The extension of the merge output for an output type, and the output file in its folder.

#include "OutputPath.h"

#include "core/os/SplitPath.h"

std::string outputExtension(int outputType, const std::string& firstJobFile,
                            const std::string& customExtension)
{
    switch (outputType) {
    case 1:
        return ".NC";
    case 2:
        return ".i";
    case 3:
        return ".ANC";
    case 4:
        return ".MPF";
    case 5:
        return SplitPath(firstJobFile).extension;
    case 6:
        return customExtension;
    default:
        return {};
    }
}

std::string outputFilePath(const std::string& folder, const std::string& baseName,
                           const std::string& extension)
{
    return folder + '/' + baseName + extension;
}
