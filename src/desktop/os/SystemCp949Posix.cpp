#include "SystemCp949.h"

#include <algorithm>
#include <cerrno>

#include <iconv.h>

namespace {

// Converts with iconv, replacing what cannot be converted by replacement, one unit of input at a
// time.
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

} // namespace

namespace SystemCp949 {

QString decode(std::string_view bytes)
{
    const std::string utf16 = convert("UTF-16LE", "CP949", bytes, "\xFD\xFF", 1);
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(utf16.data()),
                              qsizetype(utf16.size() / 2));
}

std::string encode(const QString& text)
{
    const std::string_view utf16(reinterpret_cast<const char*>(text.utf16()),
                                 std::size_t(text.size()) * 2);
    return convert("CP949", "UTF-16LE", utf16, "?", 2);
}

} // namespace SystemCp949
