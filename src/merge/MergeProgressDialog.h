#pragma once

#include <QElapsedTimer>

#include <cstdint>
#include <memory>

class QProgressDialog;
class QWidget;

// The progress of a merge, shown only once it has run for half a second, with Cancel.
class MergeProgressDialog
{
public:
    explicit MergeProgressDialog(QWidget* owner);
    ~MergeProgressDialog();

    // Takes the bytes read so far; false once the user has cancelled.
    bool update(std::uint64_t done, std::uint64_t total);

private:
    QWidget* m_owner;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_dialog;
};
