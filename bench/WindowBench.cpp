// The first window and a large folder: a folder of 10,000 NC files listed (target: about
// 120 ms) and the main window built and shown (target: under 50 ms).

#include "core/job/JobState.h"
#include "core/settings/MemoryProfile.h"
#include "desktop/QtPlatform.h"
#include "ui/MainFrame.h"
#include "ui/NcFileListCtrl.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileSystemModel>
#include <QTemporaryDir>

namespace {

QTemporaryDir* g_folder = nullptr;
constexpr int kFiles = 10000;

// Lets the file models read until done: they read on threads of their own.
template <typename Done> void processEventsUntil(Done done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void BM_List10000Files(benchmark::State& state)
{
    for (auto _ : state) {
        NcFileListCtrl list;
        list.SetIncludeExtensions(QStringLiteral(".nc"));
        list.setFolder(g_folder->path());
        list.show();
        processEventsUntil([&] { return list.model()->rowCount(list.rootIndex()) == kFiles; });
        if (list.model()->rowCount(list.rootIndex()) != kFiles)
            state.SkipWithError("the folder was not listed");
    }
}

void BM_FirstWindow(benchmark::State& state)
{
    MemoryProfile profile;
    const ProfileInstallation installation(profile);
    for (auto _ : state) {
        JobState job;
        CMainFrame frame(job);
        frame.show();
        QCoreApplication::processEvents();
    }
}

BENCHMARK(BM_List10000Files)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FirstWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    QtPlatform platform;
    Platform::install(&platform);
    QTemporaryDir folder;
    for (int i = 0; i < kFiles; ++i) {
        QFile file(folder.filePath(QStringLiteral("O%1.nc").arg(10000 + i)));
        if (!file.open(QIODevice::WriteOnly) || file.write("%\nO1\nG0 X1\nM30\n%\n") < 0)
            std::abort();
    }
    g_folder = &folder;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Platform::install(nullptr);
    return 0;
}
