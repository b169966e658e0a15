#pragma once

#include "Profile.h"

#include <map>
#include <optional>
#include <utility>
#include <variant>

// A profile held in memory. Integers keep their type, like registry DWORD values.
class MemoryProfile : public Profile
{
public:
    using Value = std::variant<std::int32_t, std::string>;

    std::uint32_t readInt(const std::string& section, const std::string& entry,
                          std::uint32_t defaultValue) const override;
    std::string readString(const std::string& section, const std::string& entry,
                           const std::string& defaultValue) const override;
    void writeInt(const std::string& section, const std::string& entry,
                  std::int32_t value) override;
    void writeString(const std::string& section, const std::string& entry,
                     const std::string& value) override;

    std::optional<Value> value(const std::string& section, const std::string& entry) const;
    std::size_t size() const { return m_values.size(); }

    bool operator==(const MemoryProfile& other) const { return m_values == other.m_values; }

private:
    std::map<std::pair<std::string, std::string>, Value> m_values;
};
