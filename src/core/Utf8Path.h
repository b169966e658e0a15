#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Paths travel through the core as UTF-8 text; these convert at the file-system edge so that
// non-ASCII folder names also work where the narrow path encoding is not UTF-8.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8FromPath(const std::filesystem::path& path);
