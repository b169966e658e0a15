// A profile held in memory, its integers keeping their type.

#include "MemoryProfile.h"

std::uint32_t MemoryProfile::readInt(const std::string& section, const std::string& entry,
                                     std::uint32_t defaultValue) const
{
    const auto stored = value(section, entry);
    if (!stored || !std::holds_alternative<std::int32_t>(*stored))
        return defaultValue;
    return static_cast<std::uint32_t>(std::get<std::int32_t>(*stored));
}

std::string MemoryProfile::readString(const std::string& section, const std::string& entry,
                                      const std::string& defaultValue) const
{
    const auto stored = value(section, entry);
    if (!stored || !std::holds_alternative<std::string>(*stored))
        return defaultValue;
    return std::get<std::string>(*stored);
}

void MemoryProfile::writeInt(const std::string& section, const std::string& entry,
                             std::int32_t value)
{
    m_values[{section, entry}] = value;
}

void MemoryProfile::writeString(const std::string& section, const std::string& entry,
                                const std::string& value)
{
    m_values[{section, entry}] = value;
}

std::optional<MemoryProfile::Value> MemoryProfile::value(const std::string& section,
                                                         const std::string& entry) const
{
    const auto it = m_values.find({section, entry});
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}
