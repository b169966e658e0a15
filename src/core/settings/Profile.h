#pragma once

#include <cstdint>
#include <string>

// The store that the settings live in: the registry on Windows, a settings file elsewhere, memory
// in tests. Entries are addressed by section and entry name.
class Profile
{
public:
    virtual ~Profile() = default;

    // The stored 32 bits of an integer entry, or defaultValue when it is missing or no number.
    virtual std::uint32_t readInt(const std::string& section, const std::string& entry,
                                  std::uint32_t defaultValue) const = 0;
    virtual std::string readString(const std::string& section, const std::string& entry,
                                   const std::string& defaultValue) const = 0;
    virtual void writeInt(const std::string& section, const std::string& entry,
                          std::int32_t value) = 0;
    virtual void writeString(const std::string& section, const std::string& entry,
                             const std::string& value) = 0;

    // Makes the writes so far durable; false when the store could not be written. A store that
    // writes through has nothing to do.
    virtual bool flush() { return true; }
};

// The profile that the settings use, or nullptr before one is installed.
Profile* installedProfile();

// Installs a profile for its own lifetime. When it ends, the shared settings record is saved
// and destroyed first, so the last save still reaches this profile.
class ProfileInstallation
{
public:
    explicit ProfileInstallation(Profile& profile);
    ~ProfileInstallation();

    ProfileInstallation(const ProfileInstallation&) = delete;
    ProfileInstallation& operator=(const ProfileInstallation&) = delete;

private:
    Profile* m_previous;
};
