#include "BackgroundMerge.h"

#include "MergeProgressDialog.h"

#include <QThread>

BackgroundMerge::BackgroundMerge(QWidget* owner) : m_owner(owner)
{
    m_poll.setInterval(50);
    connect(&m_poll, &QTimer::timeout, this, &BackgroundMerge::showProgress);
}

BackgroundMerge::~BackgroundMerge()
{
    abandon();
}

void BackgroundMerge::start(Work work)
{
    if (running())
        return;
    m_done = 0;
    m_total = 0;
    m_cancelled = false;
    m_progress = std::make_unique<MergeProgressDialog>(m_owner);
    connect(m_progress.get(), &QProgressDialog::canceled, this, [this] { m_cancelled = true; });
    m_thread.reset(QThread::create([this, work = std::move(work)] {
        work([this](std::uint64_t done, std::uint64_t total) {
            m_done = done;
            m_total = total;
            return !m_cancelled;
        });
    }));
    // Queued to this thread: the end cannot be missed however soon it comes.
    connect(m_thread.get(), &QThread::finished, this, &BackgroundMerge::threadFinished);
    m_thread->start();
    m_poll.start();
}

void BackgroundMerge::showProgress()
{
    if (m_progress && !m_progress->update(m_done, m_total))
        m_cancelled = true;
}

void BackgroundMerge::threadFinished()
{
    // The end of a thread that was abandoned, or of an earlier one, arrives late: not ours.
    if (!m_thread || sender() != m_thread.get())
        return;
    stop();
    emit finished();
}

void BackgroundMerge::abandon()
{
    if (!m_thread)
        return;
    m_cancelled = true;
    stop();
}

void BackgroundMerge::stop()
{
    m_poll.stop();
    // The work stops at its next report of progress, within one block of reading.
    m_thread->wait();
    m_thread.reset();
    m_progress.reset();
}
