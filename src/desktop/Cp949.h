#pragma once

#include <QString>

#include <string>
#include <string_view>

// Code page 949, the encoding of tool lists written on Korean Windows. Qt converts it only where
// it was built with ICU, which Qt's own Windows builds are not; then the system converts it:
// iconv on POSIX, the Windows code page converter on Windows.
class Cp949
{
public:
    enum class Converter
    {
        Qt,
        System,
    };

    // Qt's converter where it works, else the system's.
    static Converter available();

    static QString decode(std::string_view bytes, Converter converter = available());
    static std::string encode(const QString& text, Converter converter = available());
};
