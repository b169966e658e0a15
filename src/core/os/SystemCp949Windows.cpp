// Code page 949 to and from UTF-8 by the Windows code page converter.

#include "SystemCp949.h"

#include <windows.h>

namespace {

// From one code page to another through UTF-16; what the target lacks becomes its default
// character.
std::string convert(unsigned from, unsigned to, std::string_view bytes)
{
    const int wideLength =
        MultiByteToWideChar(from, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    std::wstring wide(std::size_t(wideLength), L'\0');
    MultiByteToWideChar(from, 0, bytes.data(), int(bytes.size()), wide.data(), wideLength);
    const int length =
        WideCharToMultiByte(to, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string converted(std::size_t(length), '\0');
    WideCharToMultiByte(to, 0, wide.data(), int(wide.size()), converted.data(), length, nullptr,
                        nullptr);
    return converted;
}

} // namespace

namespace SystemCp949 {

std::string toUtf8(std::string_view cp949)
{
    return convert(949, CP_UTF8, cp949);
}

std::string fromUtf8(std::string_view utf8)
{
    return convert(CP_UTF8, 949, utf8);
}

} // namespace SystemCp949
