// The work-offset table under load: a drop of 1000 files on one cell (target: under 0.2 s) and
// a paint of the cell holding them (target: under 16 ms); the first paint of the table of the
// default settings, 5 x 8 cells in 5 tabs, and a drop of 40 programs on 40 cells.

#include "app/QuorApp.h"
#include "core/settings/MemoryProfile.h"
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

void BM_FirstPaintOf5x8x5Table(benchmark::State& state)
{
    for (auto _ : state) {
        CQuorView view{g_table->app};
        view.resize(1000, 600);
        QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
        view.render(&image);
    }
    CQuorView view{g_table->app};
    if (view.tableTabs()->count() != 5 || view.tableTabs()->tableView()->table().cols() != 8)
        state.SkipWithError("the table is not 5 x 8 x 5");
}

void BM_Drop40ProgramsOn40Cells(benchmark::State& state)
{
    CMyTableView& table = g_table->tableView();
    for (auto _ : state) {
        state.PauseTiming();
        g_table->empty();
        state.ResumeTiming();
        for (int cell = 0; cell < 40; ++cell)
            table.OnDropFiles({g_table->files[cell]},
                              table.table().GetCellRect(cell / 8, cell % 8).center());
    }
    if (g_table->app.m_JobFiles.count() != 40)
        state.SkipWithError("the drops did not take 40 programs");
}

BENCHMARK(BM_Drop1000Files)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_PaintCellWith1000Entries)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_FirstPaintOf5x8x5Table)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Drop40ProgramsOn40Cells)->Unit(benchmark::kMillisecond)->Iterations(20);

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
