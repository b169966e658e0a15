#pragma once

#include <QProgressDialog>

#include <cstdint>

// The progress of a merge, with Cancel. It shows only once the merge is likely to take longer
// than half a second.
class MergeProgressDialog : public QProgressDialog
{
    Q_OBJECT

public:
    explicit MergeProgressDialog(QWidget* owner);

    // Takes the bytes read so far; false once the user has cancelled.
    bool update(std::uint64_t done, std::uint64_t total);
};
