#include "Utf8Path.h"

// On POSIX a file name is bytes: they pass through untouched, so names in any encoding work.
// Windows names are UTF-16, converted from and to UTF-8.
std::filesystem::path pathFromUtf8(std::string_view utf8)
{
#ifdef _WIN32
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
#else
    return std::filesystem::path(std::string(utf8));
#endif
}

std::string utf8FromPath(const std::filesystem::path& path)
{
#ifdef _WIN32
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
#else
    return path.native();
#endif
}
