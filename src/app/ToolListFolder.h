#pragma once

#include <QString>

// Where tool lists live: the program folder of a portable copy that may write it, else the
// user's data folder, seeded with the shipped lists without replacing any list already there.
class ToolListFolder
{
public:
    static QString choose(const QString& programFolder);
    // Copies the lists of shipped that are missing in folder, creating folder.
    static void seed(const QString& folder, const QString& shipped);
};
