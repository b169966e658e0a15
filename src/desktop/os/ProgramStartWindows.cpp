#include "ProgramStart.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTimer>

void startProgramDetached(const QString& executable, const QString& parameter,
                          std::function<void(bool started)> started)
{
    const bool detached = QProcess::startDetached(executable, {parameter});
    QTimer::singleShot(0, QCoreApplication::instance(), [started, detached] { started(detached); });
}
