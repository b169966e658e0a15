#include "QSettingsProfile.h"

#include "desktop/AppIdentity.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <limits>

namespace {

QString keyOf(const std::string& section, const std::string& entry)
{
    return QString::fromStdString(section) + u'/' + QString::fromStdString(entry);
}

#ifndef Q_OS_WIN
// Where QSettings keeps the application's file, found without reading it: QSettings reads its
// file as it is made.
QString storeFileName(const QString& application)
{
    const QSettings neighbour(QSettings::NativeFormat, QSettings::UserScope,
                              AppIdentity::organization(), application + QStringLiteral(".probe"));
    const QFileInfo neighbourFile(neighbour.fileName());
    return neighbourFile.dir().filePath(application + QStringLiteral(".") + neighbourFile.suffix());
}
#endif

} // namespace

QSettingsProfile::QSettingsProfile(const QString& application)
{
#ifndef Q_OS_WIN
    // Windows keeps the settings in the registry, which holds no file: its name,
    // "\\HKEY_CURRENT_USER\\...", looked up as a file would be asked of the network.
    const QFileInfo file(storeFileName(application));
    if (file.exists() && !file.isFile()) {
        m_storeName = file.filePath();
        return;
    }
#endif
    m_settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             AppIdentity::organization(), application);
    m_storeName = m_settings->fileName();
}

WindowMemory QSettingsProfile::storedWindow() const
{
    if (!m_settings)
        return {};
    return {m_settings->value(QStringLiteral("NormalGeometry")).toByteArray(),
            m_settings->value(QStringLiteral("NormalLayout")).toByteArray(),
            m_settings->value(QStringLiteral("LastFolder")).toString()};
}

void QSettingsProfile::storeWindow(const WindowMemory& memory)
{
    if (!m_settings)
        return;
    m_settings->setValue(QStringLiteral("NormalGeometry"), memory.geometry);
    m_settings->setValue(QStringLiteral("NormalLayout"), memory.layout);
    m_settings->setValue(QStringLiteral("LastFolder"), memory.folder);
}

std::uint32_t QSettingsProfile::readInt(const std::string& section, const std::string& entry,
                                        std::uint32_t defaultValue) const
{
    if (!m_settings)
        return defaultValue;
    const QVariant value = m_settings->value(keyOf(section, entry));
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
    if (!m_settings)
        return defaultValue;
    const QVariant value = m_settings->value(keyOf(section, entry));
    if (!value.isValid())
        return defaultValue;
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray().toStdString(); // bytes that were no UTF-8, as they were
    return value.toString().toStdString();
}

void QSettingsProfile::writeInt(const std::string& section, const std::string& entry,
                                std::int32_t value)
{
    if (m_settings)
        m_settings->setValue(keyOf(section, entry), value);
}

void QSettingsProfile::writeString(const std::string& section, const std::string& entry,
                                   const std::string& value)
{
    if (!m_settings)
        return;
    // Texts that are no UTF-8 (code page 949 names) are kept as their bytes, never as U+FFFD.
    const QByteArray bytes = QByteArray::fromStdString(value);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        m_settings->setValue(keyOf(section, entry), bytes);
    else
        m_settings->setValue(keyOf(section, entry), text);
}

bool QSettingsProfile::flush()
{
    if (!m_settings)
        return false;
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}
