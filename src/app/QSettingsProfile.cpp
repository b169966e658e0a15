#include "QSettingsProfile.h"

#include "desktop/AppIdentity.h"

#include <limits>

namespace {

QString keyOf(const std::string& section, const std::string& entry)
{
    return QString::fromStdString(section) + u'/' + QString::fromStdString(entry);
}

} // namespace

QSettingsProfile::QSettingsProfile()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, AppIdentity::organization(),
                 AppIdentity::application())
{}

QByteArray QSettingsProfile::storedWindowLayout()
{
    const QSettingsProfile store;
    return store.m_settings.value(QStringLiteral("NormalLayout")).toByteArray();
}

std::uint32_t QSettingsProfile::readInt(const std::string& section, const std::string& entry,
                                        std::uint32_t defaultValue) const
{
    const QVariant value = m_settings.value(keyOf(section, entry));
    if (!value.isValid())
        return defaultValue;
    // A -1 written by another process comes back as the text "-1", and a registry DWORD as a
    // signed int: go through a wide signed integer and keep the 32 bits. A number that does not
    // fit 32 bits was not written by us: it counts as missing, not as its low bits.
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::uint32_t>::max())
        return defaultValue;
    return static_cast<std::uint32_t>(number);
}

std::string QSettingsProfile::readString(const std::string& section, const std::string& entry,
                                         const std::string& defaultValue) const
{
    const QVariant value = m_settings.value(keyOf(section, entry));
    return value.isValid() ? value.toString().toStdString() : defaultValue;
}

void QSettingsProfile::writeInt(const std::string& section, const std::string& entry,
                                std::int32_t value)
{
    m_settings.setValue(keyOf(section, entry), value);
}

void QSettingsProfile::writeString(const std::string& section, const std::string& entry,
                                   const std::string& value)
{
    m_settings.setValue(keyOf(section, entry), QString::fromStdString(value));
}

void QSettingsProfile::flush()
{
    m_settings.sync();
}
