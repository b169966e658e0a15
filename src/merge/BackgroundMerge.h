#pragma once

#include "core/merge/NcMerge.h"

#include <QObject>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>

class MergeProgressDialog;
class QThread;
class QWidget;

// Runs a merge, or its plan, on a thread of its own while the window stays responsive, and says
// when it has finished. Once the work has run for half a second its progress shows, with Cancel.
class BackgroundMerge : public QObject
{
    Q_OBJECT

public:
    using Work = std::function<void(const MergeProgress& progress)>;

    explicit BackgroundMerge(QWidget* owner);
    ~BackgroundMerge() override; // abandons work still running

    // Starts work unless some already runs; finished follows once it has returned.
    void start(Work work);
    bool running() const { return m_thread != nullptr; }
    // Stops the work at its next report of progress and waits for it; finished does not follow.
    void abandon();

signals:
    void finished();

private:
    void showProgress();
    void threadFinished();
    void stop();

    QWidget* m_owner;
    std::unique_ptr<QThread> m_thread;
    std::unique_ptr<MergeProgressDialog> m_progress;
    QTimer m_poll;
    std::atomic<std::uint64_t> m_done = 0;
    std::atomic<std::uint64_t> m_total = 0;
    std::atomic<bool> m_cancelled = false;
};
