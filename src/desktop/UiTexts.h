#pragma once

#include <QString>

// The texts that Corvane added to those of the original program, in one place so that a
// translation can follow.
namespace UiTexts {

// A lines-to-cut setting that the merge refuses; setting is its key ("DEL_UP", "DEL_BTM").
QString badTrimCount(const QString& setting, const QString& value);
// An input that changed while it was merged, or since the merge was planned.
QString inputChanged();

} // namespace UiTexts
