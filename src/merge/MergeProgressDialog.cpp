#include "MergeProgressDialog.h"

#include "desktop/AppIdentity.h"

using namespace Qt::StringLiterals;

namespace {
constexpr int kSteps = 1000;
} // namespace

MergeProgressDialog::MergeProgressDialog(QWidget* owner)
    : QProgressDialog(tr("변환 중..."), tr("취소"), 0, kSteps, owner)
{
    setWindowTitle(AppIdentity::windowCaption());
    // Modal, so that while it shows, each update lets the window repaint and Cancel be pressed.
    setWindowModality(Qt::WindowModal);
    setMinimumDuration(500);
    setAutoReset(false);
    setAutoClose(false);
    setValue(0);
}

bool MergeProgressDialog::update(std::uint64_t done, std::uint64_t total)
{
    setValue(total > 0 ? static_cast<int>(done * kSteps / total) : 0);
    return !wasCanceled();
}
