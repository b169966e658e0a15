// Code page 949 to and from UTF-8 by iconv.

#include "SystemCp949.h"

#include <algorithm>
#include <cerrno>

#include <iconv.h>

namespace {

// The bytes of the UTF-8 sequence a lead byte starts, one for a byte that starts none.
std::size_t utf8SequenceAt(unsigned char lead)
{
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0)
        return lead < 0xF0 ? 3 : 1;
    return lead >= 0xC0 ? 2 : 1;
}

// Converts with iconv, replacing what cannot be converted by replacement, skipping one
// character of input: a byte of code page 949, a sequence of UTF-8.
std::string convert(const char* to, const char* from, std::string_view input,
                    std::string_view replacement, bool utf8Input)
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
            const std::size_t unit =
                utf8Input ? utf8SequenceAt(static_cast<unsigned char>(*in)) : 1;
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

std::string toUtf8(std::string_view cp949)
{
    return convert("UTF-8", "CP949", cp949, "\xEF\xBF\xBD", false);
}

std::string fromUtf8(std::string_view utf8)
{
    return convert("CP949", "UTF-8", utf8, "?", true);
}

} // namespace SystemCp949
