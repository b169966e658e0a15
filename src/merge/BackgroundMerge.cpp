#include "BackgroundMerge.h"

#include "MergeProgressDialog.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

MergeReport BackgroundMerge::run(QWidget* owner, const Work& work)
{
    std::atomic<std::uint64_t> done = 0;
    std::atomic<std::uint64_t> total = 0;
    std::atomic<bool> cancelled = false;
    MergeReport report;
    const std::unique_ptr<QThread> thread(QThread::create([&] {
        report = work([&](std::uint64_t doneNow, std::uint64_t totalNow) {
            done = doneNow;
            total = totalNow;
            return !cancelled;
        });
    }));

    MergeProgressDialog progress(owner);
    QObject::connect(&progress, &QProgressDialog::canceled, [&cancelled] { cancelled = true; });
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!progress.update(done, total))
            cancelled = true;
    });
    // The thread's end reaches this loop as an event, so it cannot be missed however soon it
    // comes.
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    poll.start();
    loop.exec();
    thread->wait();
    return report;
}
