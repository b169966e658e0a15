#pragma once

#include <QString>

#include <string>
#include <string_view>

// Code page 949 as the system converts it, for a Qt without ICU: iconv on POSIX, the code page
// converter on Windows. What cannot be converted becomes a replacement, never a stop half way.
namespace SystemCp949 {

QString decode(std::string_view bytes);
std::string encode(const QString& text);

} // namespace SystemCp949
