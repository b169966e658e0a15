#pragma once

#include "FakePlatform.h"
#include "app/QuorApp.h"
#include "core/settings/MemoryProfile.h"

#include <QByteArray>
#include <QTemporaryDir>

// What every window test starts from: a temporary folder that is also the program folder, an
// empty in-memory profile, the fake desktop, and the program's job state.
class GuiTestEnvironment
{
public:
    GuiTestEnvironment();
    ~GuiTestEnvironment();

    GuiTestEnvironment(const GuiTestEnvironment&) = delete;
    GuiTestEnvironment& operator=(const GuiTestEnvironment&) = delete;

    QString path(const QString& name) const { return folder.filePath(name); }
    // Writes bytes exactly to name in the folder and returns its path.
    QString write(const QString& name, const QByteArray& bytes) const;

    QTemporaryDir folder;
    MemoryProfile profile;
    FakePlatform platform;

private:
    ProfileInstallation m_installation{profile};

public:
    CQuorApp app;
};

// The file's bytes, or "<missing>".
QByteArray readTestFile(const QString& path);
