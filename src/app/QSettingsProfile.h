#pragma once

#include "core/Profile.h"

#include <QSettings>

// The program's profile: the registry key Software\Quor\Corvane on Windows,
// ~/.config/Quor/Corvane.conf on Linux.
class QSettingsProfile : public Profile
{
public:
    QSettingsProfile();

    std::uint32_t readInt(const std::string& section, const std::string& entry,
                          std::uint32_t defaultValue) const override;
    std::string readString(const std::string& section, const std::string& entry,
                           const std::string& defaultValue) const override;
    void writeInt(const std::string& section, const std::string& entry,
                  std::int32_t value) override;
    void writeString(const std::string& section, const std::string& entry,
                     const std::string& value) override;
    void flush() override;

    // The main window's layout stored beside the settings under "NormalLayout"; the program
    // never writes one.
    static QByteArray storedWindowLayout();

private:
    QSettings m_settings;
};
