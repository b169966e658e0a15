#include "ProgramStart.h"

#include <QCoreApplication>
#include <QProcess>

using namespace Qt::StringLiterals;

// Through a shell that waits a moment: a program that ends at once with an error, as a desktop
// opener that finds nothing to open with does, counts as one that did not start. The shell is
// watched, never waited for.
void startProgramDetached(const QString& executable, const QString& parameter,
                          std::function<void(bool started)> started)
{
    auto* shell = new QProcess(QCoreApplication::instance());
    QObject::connect(shell, &QProcess::finished, shell,
                     [shell, started](int code, QProcess::ExitStatus status) {
                         started(status == QProcess::NormalExit && code == 0);
                         shell->deleteLater();
                     });
    QObject::connect(shell, &QProcess::errorOccurred, shell,
                     [shell, started](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         started(false);
                         shell->deleteLater();
                     });
    shell->start(u"/bin/sh"_s, {u"-c"_s,
                                u"\"$0\" \"$1\" </dev/null >/dev/null 2>&1 & pid=$!; sleep 0.5; "
                                "kill -0 $pid 2>/dev/null && exit 0; wait $pid"_s,
                                executable, parameter});
}
