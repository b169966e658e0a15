// The work-offset cell under load: a drop of 1000 files (target: under 0.2 s) and a paint of
// the cell holding them (target: under 16 ms).

#include "app/QuorApp.h"
#include "core/MemoryProfile.h"
#include "desktop/QtPlatform.h"
#include "table/MyTableView.h"
#include "table/QuorView.h"
#include "table/TableView.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

struct Table
{
    MemoryProfile profile;
    ProfileInstallation installation{profile};
    QtPlatform platform;
    CQuorApp app;
    CQuorView view{app};
    QTemporaryDir folder;
    QStringList files;

    Table()
    {
        Platform::install(&platform);
        view.resize(800, 600);
        view.show();
        for (int i = 0; i < 1000; ++i) {
            QFile file(folder.filePath(QStringLiteral("O%1.nc").arg(1000 + i)));
            if (!file.open(QIODevice::WriteOnly))
                std::abort();
            files.append(file.fileName());
        }
    }
    ~Table() { Platform::install(nullptr); }

    CMyTableView& tableView() { return *view.tableTabs()->tableView(); }
    QPoint cellCentre() { return tableView().table().GetCellRect(0, 0).center(); }
    void empty()
    {
        app.m_JobFiles.clear();
        app.m_nMachineFamily = -1;
    }
};

Table* g_table = nullptr;

void BM_Drop1000Files(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        g_table->empty();
        state.ResumeTiming();
        g_table->tableView().OnDropFiles(g_table->files, g_table->cellCentre());
    }
    if (g_table->app.m_JobFiles.count() != 1000)
        state.SkipWithError("the drop did not take 1000 files");
}

void BM_PaintCellWith1000Entries(benchmark::State& state)
{
    g_table->empty();
    g_table->tableView().OnDropFiles(g_table->files, g_table->cellCentre());
    OrnTableCtrl& grid = g_table->tableView().table();
    QImage image(grid.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        grid.render(&image);
}

BENCHMARK(BM_Drop1000Files)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_PaintCellWith1000Entries)->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    Table table;
    g_table = &table;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
