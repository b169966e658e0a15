#include "Cp949.h"

#include <QStringDecoder>
#include <QStringEncoder>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace {

// "CP949" would name an IBM code page in ICU, which alters bytes.
constexpr const char* kQtName = "windows-949";

#ifndef _WIN32
// Converts with iconv, replacing what cannot be converted by replacement, so that nothing stops
// half way.
std::string convert(const char* to, const char* from, std::string_view input,
                    std::string_view replacement, std::size_t unit)
{
    iconv_t converter = iconv_open(to, from);
    if (converter == iconv_t(-1))
        return {};
    std::string output;
    char buffer[4096];
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        output.append(buffer, std::size_t(out - buffer));
        if (result == std::size_t(-1) && errno != E2BIG) {
            output.append(replacement);
            const std::size_t skip = std::min(unit, inLeft);
            in += skip;
            inLeft -= skip;
        }
    }
    iconv_close(converter);
    return output;
}
#endif

} // namespace

Cp949::Converter Cp949::available()
{
    // Asked for every value of a list: Qt's answer does not change while the program runs.
    static const Converter converter =
        QStringDecoder(kQtName).isValid() ? Converter::Qt : Converter::System;
    return converter;
}

QString Cp949::decode(std::string_view bytes, Converter converter)
{
    if (converter == Converter::Qt) {
        QStringDecoder decoder(kQtName);
        return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    }
#ifdef _WIN32
    const int length = MultiByteToWideChar(949, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(949, 0, bytes.data(), int(bytes.size()), wide.data(), length);
    return QString::fromStdWString(wide);
#else
    const std::string utf16 = convert("UTF-16LE", "CP949", bytes, "\xFD\xFF", 1);
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(utf16.data()),
                              qsizetype(utf16.size() / 2));
#endif
}

std::string Cp949::encode(const QString& text, Converter converter)
{
    if (converter == Converter::Qt) {
        QStringEncoder encoder(kQtName);
        const QByteArray bytes = encoder.encode(text);
        return bytes.toStdString();
    }
#ifdef _WIN32
    const std::wstring wide = text.toStdWString();
    const int length =
        WideCharToMultiByte(949, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(std::size_t(length), '\0');
    WideCharToMultiByte(949, 0, wide.data(), int(wide.size()), bytes.data(), length, nullptr,
                        nullptr);
    return bytes;
#else
    const std::string_view utf16(reinterpret_cast<const char*>(text.utf16()),
                                 std::size_t(text.size()) * 2);
    return convert("CP949", "UTF-16LE", utf16, "?", 2);
#endif
}
