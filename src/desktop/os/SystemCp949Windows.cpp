#include "SystemCp949.h"

#include <windows.h>

namespace SystemCp949 {

QString decode(std::string_view bytes)
{
    const int length = MultiByteToWideChar(949, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(949, 0, bytes.data(), int(bytes.size()), wide.data(), length);
    return QString::fromStdWString(wide);
}

std::string encode(const QString& text)
{
    const std::wstring wide = text.toStdWString();
    const int length =
        WideCharToMultiByte(949, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(std::size_t(length), '\0');
    WideCharToMultiByte(949, 0, wide.data(), int(wide.size()), bytes.data(), length, nullptr,
                        nullptr);
    return bytes;
}

} // namespace SystemCp949
