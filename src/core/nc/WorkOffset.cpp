// Work offsets by name (G54 to G59, G54.1Pn, G505 to G599).

#include "WorkOffset.h"

#include <cctype>
#include <charconv>

namespace {

constexpr int kLastExtended = 300;

// Reads a whole number at the start of text; skips it.
std::optional<int> takeNumber(std::string_view& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data())
        return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return value;
}

bool takeLetter(std::string_view& text, char letter)
{
    if (text.empty() || std::toupper(static_cast<unsigned char>(text.front())) != letter)
        return false;
    text.remove_prefix(1);
    return true;
}

} // namespace

std::optional<WorkOffset> WorkOffset::fromName(std::string_view name)
{
    if (!takeLetter(name, 'G') || name.empty() ||
        !std::isdigit(static_cast<unsigned char>(name[0])))
        return std::nullopt;
    const std::optional<int> code = takeNumber(name);
    if (!code)
        return std::nullopt;
    if (name.empty())
        return fromCode(*code, 0, std::nullopt);
    if (*code != 54 || name.substr(0, 2) != ".1")
        return std::nullopt;
    name.remove_prefix(2);
    if (!name.empty() && name.front() == ' ')
        name.remove_prefix(1);
    if (!takeLetter(name, 'P') || name.empty() ||
        !std::isdigit(static_cast<unsigned char>(name[0])))
        return std::nullopt;
    const std::optional<int> p = takeNumber(name);
    if (!p || !name.empty())
        return std::nullopt;
    return fromCode(54, 100, *p);
}

std::optional<WorkOffset> WorkOffset::fromCode(int code, int thousandths, std::optional<long> p)
{
    if (thousandths == 0 && code >= 54 && code <= 59)
        return WorkOffset(Kind::Standard, code);
    if (thousandths == 0 && code >= 505 && code <= 599)
        return WorkOffset(Kind::Siemens, code);
    if (code == 54 && thousandths == 100 && p && *p >= 1 && *p <= kLastExtended)
        return WorkOffset(Kind::Extended, static_cast<int>(*p));
    return std::nullopt;
}

std::optional<WorkOffset> WorkOffset::ofCell(int index, int simens, int itemNameType)
{
    if (index < 0)
        return std::nullopt;
    if (simens == 1 && itemNameType == 0)
        return fromCode(index + 511, 0, std::nullopt);
    if (index < 6)
        return WorkOffset(Kind::Standard, index + 54);
    return fromCode(54, 100, index - 5);
}

std::string WorkOffset::name() const
{
    if (m_kind == Kind::Extended)
        return "G54.1P" + std::to_string(m_number);
    return "G" + std::to_string(m_number);
}
