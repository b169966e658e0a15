#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Paths travel through the core as std::string: the file system's own bytes on POSIX, UTF-8 on
// Windows. These convert at the file-system edge; each platform's file in os/ implements them.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8FromPath(const std::filesystem::path& path);
