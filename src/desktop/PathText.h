#pragma once

#include <QString>

#include <string>

// Paths cross between the core and Qt here only: UTF-8 in the core, the desktop's separators
// where the user reads them.
QString displayPath(const std::string& path);
std::string corePath(const QString& path);
