#pragma once

#include "core/settings/Profile.h"
#include "desktop/AppIdentity.h"
#include "ui/WindowMemory.h"

#include <QSettings>

#include <memory>

// The program's profile: the registry key Software\Quor\Corvane on Windows,
// ~/.config/Quor/Corvane.conf on Linux. A settings file that is no regular file (a FIFO would
// block the reading for ever) is not used: the defaults hold and nothing is stored.
class QSettingsProfile : public Profile
{
public:
    // Another application than the program's own keeps a test away from the user's settings
    // where QSettings cannot be sent elsewhere: the Windows registry.
    explicit QSettingsProfile(const QString& application = AppIdentity::application());

    std::uint32_t readInt(const std::string& section, const std::string& entry,
                          std::uint32_t defaultValue) const override;
    std::string readString(const std::string& section, const std::string& entry,
                           const std::string& defaultValue) const override;
    void writeInt(const std::string& section, const std::string& entry,
                  std::int32_t value) override;
    void writeString(const std::string& section, const std::string& entry,
                     const std::string& value) override;
    bool flush() override;

    // False when the settings file is there but no regular file.
    bool usable() const { return m_settings != nullptr; }
    // The settings file, or the registry key, as QSettings names it.
    const QString& storeName() const { return m_storeName; }

    // The main window as the last run left it, stored beside the settings ("NormalLayout",
    // "NormalGeometry", "LastFolder").
    WindowMemory storedWindow() const;
    void storeWindow(const WindowMemory& memory);

private:
    QString m_storeName;
    std::unique_ptr<QSettings> m_settings;
};
