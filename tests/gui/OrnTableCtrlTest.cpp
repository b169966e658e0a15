#include "OrnTableCtrl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

using namespace Qt::StringLiterals;

// A 2 x 2 grid in a 400 x 300 client with cells A (0,0), B (0,1), C (1,0) and slot (1,1) empty.
class OrnTableCtrlTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pressAndReleaseOnACellSelectsItAndClicks();
    void doubleClickGivesClickDoubleClickClick();
    void pressOnOneCellReleaseOnAnother();
    void dragOutOfTheWindowDeselects();
    void releaseOffEveryCellDeselectsAndClicksTheSlot();
    void rightClicksNeedTheSameSlotAndNoCtrl();
    void refusedResizesAndAddsChangeNothing();
    void paintsBackgroundCellsAndSelection();

private:
    struct Note
    {
        int code;
        int row;
        int col;
        OrnTableCell* hover;
        bool operator==(const Note&) const = default;
    };

    QPoint centre(int row, int col) const { return m_grid->GetCellRect(row, col).center(); }
    OrnTableCell* cell(int row, int col) const { return m_grid->cellAt(row, col); }
    void press(const QPoint& at) { QTest::mousePress(m_grid, Qt::LeftButton, {}, at); }
    void release(const QPoint& at) { QTest::mouseRelease(m_grid, Qt::LeftButton, {}, at); }
    void move(const QPoint& at) { QTest::mouseMove(m_grid, at); }

    std::unique_ptr<QWidget> m_host;
    OrnTableCtrl* m_grid = nullptr;
    QList<Note> m_notes;
};

void OrnTableCtrlTest::init()
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
        m_notes.append({notify.code, notify.row, notify.col, m_grid->GetHoverCell()});
    });
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host.get()));
    // Qt drops a move to where the pointer already is: start each test from the same corner.
    move(QPoint(1, 1));
    move(QPoint(0, 0));
    m_notes.clear();
}

void OrnTableCtrlTest::cleanup()
{
    m_host.reset();
}

void OrnTableCtrlTest::pressAndReleaseOnACellSelectsItAndClicks()
{
    move(centre(0, 0));
    QCOMPARE(cell(0, 0)->state(), Hot);
    move(centre(0, 1));
    QCOMPARE(cell(0, 0)->state(), Normal);
    QCOMPARE(cell(0, 1)->state(), Hot);

    press(centre(0, 1));
    QCOMPARE(cell(0, 1)->state(), Pressed);
    QVERIFY(cell(0, 1)->isSelected());
    release(centre(0, 1));
    QCOMPARE(cell(0, 1)->state(), Hot);
    QVERIFY(cell(0, 1)->isSelected());
    QCOMPARE(m_notes, QList<Note>({{NM_CLICK, 0, 1, cell(0, 1)}}));

    // Hovering away shows the selection; a press elsewhere moves it.
    move(centre(1, 0));
    QCOMPARE(cell(0, 1)->state(), Selected);
    press(centre(1, 0));
    QVERIFY(!cell(0, 1)->isSelected());
    QCOMPARE(cell(0, 1)->state(), Normal);
    QVERIFY(cell(1, 0)->isSelected());

    // No leave handling: the last hovered cell stays hot when the pointer leaves.
    release(centre(1, 0));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(m_grid, &leave);
    QCOMPARE(cell(1, 0)->state(), Hot);
    QCOMPARE(m_grid->GetHoverCell(), cell(1, 0));
    QVERIFY(!m_grid->hasFocus());
}

void OrnTableCtrlTest::doubleClickGivesClickDoubleClickClick()
{
    const QPoint at = centre(1, 0);
    move(at);
    press(at);
    release(at);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, m_grid->mapToGlobal(at),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_grid, &doubleClick);
    release(at);
    QCOMPARE(m_notes, QList<Note>({{NM_CLICK, 1, 0, cell(1, 0)},
                                   {NM_DBLCLK, 1, 0, cell(1, 0)},
                                   {NM_CLICK, 1, 0, cell(1, 0)}}));
    QVERIFY(cell(1, 0)->isSelected());
}

void OrnTableCtrlTest::pressOnOneCellReleaseOnAnother()
{
    move(centre(0, 0));
    press(centre(0, 0));
    move(centre(0, 1));
    QCOMPARE(cell(0, 0)->state(), Hot);
    move(centre(0, 0));
    QCOMPARE(cell(0, 0)->state(), Pressed);
    move(centre(0, 1));
    release(centre(0, 1));
    QVERIFY(m_notes.isEmpty());
    QVERIFY(cell(0, 0)->isSelected());
    QCOMPARE(cell(0, 0)->state(), Hot);
    QCOMPARE(cell(0, 1)->state(), Hot);
    QVERIFY(!cell(0, 1)->isSelected());
}

void OrnTableCtrlTest::dragOutOfTheWindowDeselects()
{
    move(centre(0, 0));
    press(centre(0, 0));
    move(QPoint(450, 350));
    QCOMPARE(cell(0, 0)->state(), Hot);
    release(QPoint(450, 350));
    QVERIFY(!cell(0, 0)->isSelected());
    QCOMPARE(cell(0, 0)->state(), Normal);
    QVERIFY(m_notes.isEmpty());
}

void OrnTableCtrlTest::releaseOffEveryCellDeselectsAndClicksTheSlot()
{
    move(centre(0, 0));
    press(centre(0, 0));
    release(centre(0, 0));
    m_notes.clear();

    move(centre(1, 1));
    press(centre(1, 1));
    release(centre(1, 1));
    QVERIFY(!cell(0, 0)->isSelected());
    QCOMPARE(cell(0, 0)->state(), Normal);

    const QPoint gap(199, 100);
    press(gap);
    release(gap);
    press(QPoint(3, 3));
    release(QPoint(3, 3));
    QCOMPARE(m_notes, QList<Note>({{NM_CLICK, 1, 1, nullptr},
                                   {NM_CLICK, -1, -1, nullptr},
                                   {NM_CLICK, -1, -1, nullptr}}));
}

void OrnTableCtrlTest::rightClicksNeedTheSameSlotAndNoCtrl()
{
    QTest::mousePress(m_grid, Qt::RightButton, {}, centre(0, 0));
    QTest::mouseRelease(m_grid, Qt::RightButton, {}, centre(0, 1));
    QTest::mousePress(m_grid, Qt::RightButton, Qt::ControlModifier, centre(0, 1));
    QTest::mouseRelease(m_grid, Qt::RightButton, Qt::ControlModifier, centre(0, 1));
    QTest::mousePress(m_grid, Qt::RightButton, {}, centre(0, 1));
    QTest::mouseRelease(m_grid, Qt::RightButton, {}, centre(0, 1));
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(2, 2),
                            m_grid->mapToGlobal(QPointF(2, 2)), Qt::RightButton, Qt::RightButton,
                            Qt::NoModifier);
    QApplication::sendEvent(m_grid, &doubleClick);
    QCOMPARE(m_notes, QList<Note>({{NM_RCLICK, 0, 1, nullptr}, {NM_RDBLCLK, -1, -1, nullptr}}));
    QVERIFY(!cell(0, 1)->isSelected());
}

void OrnTableCtrlTest::refusedResizesAndAddsChangeNothing()
{
    const QRect before = cell(1, 0)->rect();
    QVERIFY(m_grid->SetSize(2, 2, true));
    QVERIFY(!m_grid->SetSize(1, 1, true));
    QVERIFY(!m_grid->SetSize(-1, 2, true));
    QCOMPARE(m_grid->rows(), 2);
    QCOMPARE(cell(1, 0)->rect(), before);

    auto second = std::make_unique<OrnTableCell>(0, 0, u"again"_s);
    OrnTableCell* raw = second.get();
    auto refused = m_grid->AddCell(std::move(second));
    QCOMPARE(refused.get(), raw);
    QVERIFY(m_grid->AddCell(std::make_unique<OrnTableCell>(2, 0, u"out"_s)));
    QCOMPARE(cell(0, 0)->GetText(), u"A"_s);

    // Growing keeps every cell in its slot; without redraw the rectangles wait for a resize.
    QVERIFY(m_grid->SetSize(3, 3, false));
    QCOMPARE(cell(1, 0)->rect(), before);
    QCOMPARE(cell(1, 0)->GetRow(), 1);
    m_grid->resize(400, 301);
    QVERIFY(cell(1, 0)->rect() != before);

    m_grid->RemoveAllCells(true);
    QVERIFY(m_grid->SetSize(1, 1, true));
    QVERIFY(!m_grid->GetHoverCell());
}

void OrnTableCtrlTest::paintsBackgroundCellsAndSelection()
{
    move(centre(0, 1));
    press(centre(0, 1));
    release(centre(0, 1));
    move(centre(1, 1));
    QCOMPARE(cell(0, 1)->state(), Selected);

    const QImage image = m_grid->grab().toImage();
    const auto colourAt = [&](const QPoint& point) {
        return QColor(image.pixel(point));
    };
    QCOMPARE(colourAt({4, 4}), QColor(196, 220, 255));
    QCOMPARE(colourAt(centre(1, 1)), QColor(196, 220, 255));
    QCOMPARE(colourAt({199, 100}), QColor(196, 220, 255));
    const QPoint lowerRight(-20, -20);
    QCOMPARE(colourAt(m_grid->GetCellRect(0, 0).bottomRight() + lowerRight), QColor(Qt::white));
    const QColor selectedFace = colourAt(m_grid->GetCellRect(0, 1).bottomRight() + lowerRight);
    QCOMPARE(selectedFace, m_grid->palette().button().color());
    QVERIFY(selectedFace != QColor(Qt::white));

    // The text is drawn on top, in the top left of the cell.
    bool textDrawn = false;
    const QRect textArea = m_grid->GetCellRect(0, 0).adjusted(3, 3, -100, -60);
    for (int y = textArea.top(); y < textArea.bottom(); ++y)
        for (int x = textArea.left(); x < textArea.right(); ++x)
            textDrawn |= colourAt({x, y}) != QColor(Qt::white);
    QVERIFY(textDrawn);
}

QTEST_MAIN(OrnTableCtrlTest)
#include "OrnTableCtrlTest.moc"
