#pragma once

#include <string>
#include <string_view>

// Code page 949 as the system converts it: iconv on POSIX, the code page converter on Windows.
// What cannot be converted becomes a replacement, never a stop half way.
namespace SystemCp949 {

std::string toUtf8(std::string_view cp949);
std::string fromUtf8(std::string_view utf8);

} // namespace SystemCp949
