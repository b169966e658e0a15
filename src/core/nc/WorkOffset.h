#pragma once

#include <optional>
#include <string>
#include <string_view>

// A work offset a program can select: G54 to G59, G54.1 P1 to P300, or G505 to G599.
class WorkOffset
{
public:
    // The offset of a name as an operator or script writes it: "G55", "g54.1p7", "G54.1 P7",
    // "G505"; none for any other text.
    static std::optional<WorkOffset> fromName(std::string_view name);
    // The offset of a G code read from a program (G54.1 without its P is none).
    static std::optional<WorkOffset> fromCode(int code, int thousandths, std::optional<long> p);
    // The offset of a table cell, named by the rule of the cell tips; none where the cell's
    // index runs past the last offset of its numbering.
    static std::optional<WorkOffset> ofCell(int index, int simens, int itemNameType);

    // As placement writes it: "G55", "G54.1P7", "G505".
    std::string name() const;

    bool operator==(const WorkOffset&) const = default;

private:
    enum class Kind
    {
        Standard, // G54 to G59
        Extended, // G54.1 P1 to P300
        Siemens,  // G505 to G599
    };

    WorkOffset(Kind kind, int number) : m_kind(kind), m_number(number) {}

    Kind m_kind;
    int m_number;
};
