#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes exactly; a test that cannot set up its files stops at once.
void writeTestFile(const QString& path, const QByteArray& bytes);
// The file's bytes, or "<missing>".
QByteArray readTestFile(const QString& path);
