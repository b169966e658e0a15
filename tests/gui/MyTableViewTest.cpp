#include "table/MyTableView.h"
#include "GuiTestEnvironment.h"
#include "core/Settings.h"
#include "table/QuorView.h"
#include "table/TableView.h"
#include "table/WorkOffsetCell.h"

#include <QApplication>
#include <QDir>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

class MyTableViewTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_env.emplace();
        m_view = std::make_unique<CQuorView>(state());
        m_view->resize(400, 340);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        m_table = m_view->tableTabs()->tableView();
    }

    void cleanup()
    {
        m_view.reset();
        m_env.reset();
    }

    void dropsTakeFilesOfOneExtensionAndNameWhatIsNoFile()
    {
        GetSettings().FANUCToolList = "Fanuc.tlist";
        QSignalSpy notes(m_table, &CMyTableView::statusNote);
        const QString folder = m_env->path(u"sub"_s);
        QDir().mkdir(folder);
        drop({u"A.nc"_s, u"B.NC"_s, u"C.tap"_s, folder}, cellCentre());

        // The drop rules themselves are the core's; here: they reach the cell and the shared state.
        QCOMPARE(cell()->GetText(), u"1. A.NC\n2. B.NC"_s);
        QCOMPARE(state().m_strToolListName, std::string("Fanuc.tlist"));
        QCOMPARE(m_env->platform.messageTexts(),
                 QStringList{
                     u"Tessaly: [%1] 는 파일이 아닙니다."_s.arg(QDir::toNativeSeparators(folder))});
        QCOMPARE(notes.size(), 1);

        // Outside the cell a drop is ignored.
        drop({u"D.nc"_s}, QPoint(3, 3));
        QCOMPARE(state().m_JobFiles.count(), 2);
    }

    void deleteEmptiesTheCellAndTheJob()
    {
        drop({u"A.nc"_s}, cellCentre());
        QTest::mouseMove(&m_table->table(), cellCentre() + QPoint(9, 9));
        QTRY_VERIFY(m_table->toolTip().isVisible());
        // The tip gives way to the menu, and goes with the entries it named.
        QTest::mousePress(&m_table->table(), Qt::RightButton, {}, cellCentre());
        QTRY_VERIFY(m_table->contextMenu().isVisible());
        QVERIFY(!m_table->toolTip().isVisible());
        m_table->contextMenu().findChild<QAction*>(u"actionDeleteCell"_s)->trigger();
        m_table->contextMenu().hide();
        QTest::mouseRelease(&m_table->table(), Qt::RightButton, {}, cellCentre());

        QVERIFY(state().document().GetCellFiles()[0].empty());
        QCOMPARE(state().m_JobFiles.count(), 0);
        QCOMPARE(state().m_nMachineFamily, -1);
        m_table->table().grab();
        QCOMPARE(cell()->GetText(), QString());
    }

    void hoverTipNamesTheWorkOffsetAndListsTheFiles()
    {
        QStringList names;
        for (int i = 1; i <= 25; ++i)
            names.append(u"f%1.nc"_s.arg(i));
        drop(names, cellCentre());

        // The last hover point is remembered across views and tests: use points of this test's own.
        const QPoint first = cellCentre() + QPoint(7, 3);
        QTest::mouseMove(&m_table->table(), first);
        QCOMPARE(m_table->toolTip().title(), u"번호: G54 (25 files)"_s);
        QTRY_VERIFY(m_table->toolTip().isVisible());

        QTest::mouseMove(&m_table->table(), QPoint(2, 2));
        QVERIFY(!m_table->toolTip().isVisible());
    }

    void paintsTheLogoAndTheEntries()
    {
        const QRect cellRect = m_table->table().GetCellRect(0, 0);
        // Entries are painted in blue from the cell's own document.
        GetSettings().LOGOALPHA = 0;
        drop({u"A.nc"_s}, cellCentre());
        const QImage image = m_table->table().grab().toImage();
        bool blueText = false;
        for (int y = cellRect.top() + 3; y < cellRect.top() + 30; ++y)
            for (int x = cellRect.left() + 3; x < cellRect.left() + 60; ++x) {
                const QColor colour(image.pixel(x, y));
                blueText |= colour.blue() > colour.red() + 100;
            }
        QVERIFY(blueText);
    }

private:
    QString file(const QString& name)
    {
        return QFile::exists(m_env->path(name)) ? m_env->path(name) : m_env->write(name, "N1\n");
    }

    void drop(const QStringList& names, const QPoint& at)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& name : names)
            urls.append(QUrl::fromLocalFile(name.startsWith(u'/') ? name : file(name)));
        data.setUrls(urls);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_table, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_table, &dropped);
    }

    QPoint cellCentre() const { return m_table->table().GetCellRect(0, 0).center(); }
    WorkOffsetCell* cell() const
    {
        return dynamic_cast<WorkOffsetCell*>(m_table->table().cellAt(0, 0));
    }

    JobState& state() { return m_env->app; }

    std::optional<GuiTestEnvironment> m_env;
    std::unique_ptr<CQuorView> m_view;
    CMyTableView* m_table = nullptr;
};

QTEST_MAIN(MyTableViewTest)
#include "MyTableViewTest.moc"
