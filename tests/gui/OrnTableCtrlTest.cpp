#include "grid/OrnTableCtrl.h"
#include "desktop/CellFont.h"

#include <QTest>

using namespace Qt::StringLiterals;

// A 2 x 2 grid in a 400 x 300 client with cells A (0,0), B (0,1), C (1,0) and slot (1,1) empty.
class OrnTableCtrlTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_host = std::make_unique<QWidget>();
        m_host->resize(400, 300);
        m_grid = new OrnTableCtrl;
        QVERIFY(m_grid->Create(m_host.get(), QRect(0, 0, 400, 300), 601));
        QVERIFY(m_grid->SetSize(2, 2, true));
        for (auto [row, col, text] : {std::tuple{0, 0, u"A"_s}, {0, 1, u"B"_s}, {1, 0, u"C"_s}})
            QVERIFY(!m_grid->AddCell(std::make_unique<OrnTableCell>(row, col, text)));
        connect(m_grid, &OrnTableCtrl::cellNotify, this, [this](const TableCellNotify& notify) {
            QCOMPARE(notify.sender, m_grid);
            QCOMPARE(notify.idFrom, 601);
            m_notes.append({notify.code, notify.row, notify.col});
        });
        m_host->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_host.get()));
        // Qt drops a move to where the pointer already is: start each test from the same corner.
        move(QPoint(1, 1));
        move(QPoint(0, 0));
        m_notes.clear();
    }

    void cleanup() { m_host.reset(); }

    void hoverPressAndReleaseMoveTheLookAndTheSelection()
    {
        move(centre(0, 0));
        QCOMPARE(cell(0, 0)->state(), Hot);
        move(centre(0, 1));
        QCOMPARE(cell(0, 0)->state(), Normal);
        QTest::mousePress(m_grid, Qt::LeftButton, {}, centre(0, 1));
        QCOMPARE(cell(0, 1)->state(), Pressed);
        QTest::mouseRelease(m_grid, Qt::LeftButton, {}, centre(0, 1));
        QCOMPARE(cell(0, 1)->state(), Hot);
        QVERIFY(cell(0, 1)->isSelected());
        QCOMPARE(m_notes, QList<Note>({{NM_CLICK, 0, 1}}));
        QCOMPARE(m_grid->GetHoverCell(), cell(0, 1));

        // Hovering away shows the selection; a click elsewhere moves it, one off every cell ends
        // it.
        move(centre(1, 0));
        QCOMPARE(cell(0, 1)->state(), Selected);
        click(centre(1, 0));
        QCOMPARE(cell(0, 1)->state(), Normal);
        QVERIFY(cell(1, 0)->isSelected());
        move(centre(1, 1));
        click(centre(1, 1));
        QVERIFY(!cell(1, 0)->isSelected());
        click(QPoint(199, 100)); // the gap between slots
        QCOMPARE(m_notes.mid(1),
                 QList<Note>({{NM_CLICK, 1, 0}, {NM_CLICK, 1, 1}, {NM_CLICK, -1, -1}}));
        QVERIFY(!m_grid->hasFocus());
    }

    void aClickNeedsPressAndReleaseOnTheSameCell()
    {
        move(centre(0, 0));
        QTest::mousePress(m_grid, Qt::LeftButton, {}, centre(0, 0));
        move(centre(0, 1));
        QCOMPARE(cell(0, 0)->state(), Hot);
        move(centre(0, 0));
        QCOMPARE(cell(0, 0)->state(), Pressed);
        QTest::mouseRelease(m_grid, Qt::LeftButton, {}, centre(0, 1));
        QVERIFY(m_notes.isEmpty());
        QVERIFY(cell(0, 0)->isSelected());
        QVERIFY(!cell(0, 1)->isSelected());
    }

    // A text size is the height of the character cell, as the original program's fonts have it.
    void textIsAsTallAsAsked()
    {
        for (int size = 8; size <= 60; size += 4) {
            const int height = QFontMetrics(cellHeightFont(u"Arial"_s, size, true)).height();
            QVERIFY2(height <= size && height >= size - 2, qPrintable(QString::number(size)));
        }
        // A stored size past any screen (its square overflows an int) is taken as the tallest
        // cell there can be.
        const int tallest = QFontMetrics(cellHeightFont(u"Arial"_s, 46341, true)).height();
        QVERIFY(tallest <= 4096 && tallest >= 4090);
    }

    void refusedResizesAndAddsChangeNothing()
    {
        const QRect before = cell(1, 0)->rect();
        QVERIFY(!m_grid->SetSize(1, 1, true));
        QVERIFY(!m_grid->SetSize(-1, 2, true));
        QCOMPARE(m_grid->rows(), 2);
        QCOMPARE(cell(1, 0)->rect(), before);
        QVERIFY(m_grid->AddCell(std::make_unique<OrnTableCell>(0, 0, u"again"_s)));
        QVERIFY(m_grid->AddCell(std::make_unique<OrnTableCell>(2, 0, u"out"_s)));
        QCOMPARE(cell(0, 0)->GetText(), u"A"_s);

        m_grid->RemoveAllCells(true);
        QVERIFY(m_grid->SetSize(1, 1, true));
    }

private:
    struct Note
    {
        int code;
        int row;
        int col;
        bool operator==(const Note&) const = default;
    };

    QPoint centre(int row, int col) const { return m_grid->GetCellRect(row, col).center(); }
    OrnTableCell* cell(int row, int col) const { return m_grid->cellAt(row, col); }
    void move(const QPoint& at) { QTest::mouseMove(m_grid, at); }

    void click(const QPoint& at, const QPoint& to = {})
    {
        QTest::mousePress(m_grid, Qt::LeftButton, {}, at);
        QTest::mouseRelease(m_grid, Qt::LeftButton, {}, to.isNull() ? at : to);
    }

    std::unique_ptr<QWidget> m_host;
    OrnTableCtrl* m_grid = nullptr;
    QList<Note> m_notes;
};

QTEST_MAIN(OrnTableCtrlTest)
#include "OrnTableCtrlTest.moc"
