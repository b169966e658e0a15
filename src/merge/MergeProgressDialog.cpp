#include "MergeProgressDialog.h"

#include <QCoreApplication>
#include <QProgressDialog>

using namespace Qt::StringLiterals;

namespace {
constexpr qint64 kQuietMilliseconds = 500;
constexpr int kSteps = 1000;
} // namespace

MergeProgressDialog::MergeProgressDialog(QWidget* owner) : m_owner(owner)
{
    m_clock.start();
}

MergeProgressDialog::~MergeProgressDialog() = default;

bool MergeProgressDialog::update(std::uint64_t done, std::uint64_t total)
{
    if (!m_dialog && m_clock.elapsed() > kQuietMilliseconds) {
        m_dialog =
            std::make_unique<QProgressDialog>(u"변환 중..."_s, u"취소"_s, 0, kSteps, m_owner);
        m_dialog->setWindowTitle(u"Tessaly"_s);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
    }
    if (!m_dialog)
        return true;
    m_dialog->setValue(total > 0 ? static_cast<int>(done * kSteps / total) : 0);
    QCoreApplication::processEvents();
    return !m_dialog->wasCanceled();
}
