#pragma once

#include <QByteArray>
#include <QString>

// What the main window keeps from one run to the next: where it stood, how its bars and panes
// were laid out, and the folder last shown.
struct WindowMemory
{
    QByteArray geometry;
    QByteArray layout;
    QString folder;
};
