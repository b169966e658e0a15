#pragma once

#include <QString>

// Who the program is to the desktop: the settings store's owner and name, and the captions its
// message boxes carry.
namespace AppIdentity {

// The settings store: HKEY_CURRENT_USER\Software\Quor\Corvane, ~/.config/Quor/Corvane.conf.
inline QString organization()
{
    return QStringLiteral("Quor");
}

inline QString application()
{
    return QStringLiteral("Corvane");
}

// The project's version, as the build gives it.
inline QString version()
{
    return QStringLiteral(CORVANE_VERSION);
}

// The main window, and the messages of the merge, the work-offset cell and the merge options.
inline QString windowCaption()
{
    return QStringLiteral("Tessaly");
}

// The messages of the settings and tool settings dialogs and of every field check.
inline QString dialogCaption()
{
    return QStringLiteral("Corvane");
}

} // namespace AppIdentity
