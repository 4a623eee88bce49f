#include <QtTest>

#include "views_test_support.h"

// Choosing groups and carrying them together, on a board pane of 900 × 900
// at actual size.
class BoardSelectionTest : public QObject, protected BoardHarness {
    Q_OBJECT

    QPoint topLeftOf(int id) const { return rectOf(id).topLeft(); }
    QPoint homeOf(int id) const
    {
        const POINT home = homePlace(*m_doc, id, 20, 20);
        return QPoint(home.x, home.y);
    }
    // The pieces whose groups are chosen.
    std::vector<int> chosen() const
    {
        std::vector<int> ids;
        for (int id = 0; id < m_doc->PieceCount(); ++id)
            if (IsGroupSelected(*m_doc, id))
                ids.push_back(id);
        return ids;
    }
    QColor squareCornerShown(int id) const { return shot().pixelColor(topLeftOf(id) + QPoint(40, 40)); }

private slots:
    void init() { openBoard(QSize(900, 900)); }

    // A band chooses the three groups whose centres it holds; a drag of one
    // carries all three by the same offset, and each joins its neighbour.
    void aBandChoosesGroupsThatMoveAndJoinTogether()
    {
        const QPoint away(400, 0);
        const QColor outline(255, 255, 0);
        for (const int id : {0, 2, 9})
            layJoined(id, id, QPoint(20, 20));
        layJoined(1, 1, QPoint(20, 20) + away);
        layJoined(5, 5, QPoint(20, 20) + away);
        layJoined(10, 11, QPoint(20, 20) + away);
        m_view->documentChanged();
        mouse(QEvent::MouseButtonPress, Qt::LeftButton, QPoint(880, 10), Qt::LeftButton);
        mouse(QEvent::MouseMove, Qt::NoButton, QPoint(700, 300), Qt::LeftButton);
        mouse(QEvent::MouseMove, Qt::NoButton, QPoint(600, 560), Qt::LeftButton);
        QCOMPARE(shot().pixelColor(QPoint(600, 300)), QColor(Qt::white));  // the band's edge
        mouse(QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(600, 560));
        QCOMPARE(chosen(), (std::vector<int>{1, 5, 10, 11}));
        QCOMPARE(squareCornerShown(5), outline);
        QVERIFY(squareCornerShown(0) != outline);
        QVERIFY(paintedAsNew());

        const QPoint grip = centreOf(5);
        const QPoint landing = grip - away + QPoint(6, 5);  // within reach of the home places
        mouse(QEvent::MouseButtonPress, Qt::LeftButton, grip, Qt::LeftButton);
        mouse(QEvent::MouseMove, Qt::NoButton, grip - QPoint(100, 50), Qt::LeftButton);
        mouse(QEvent::MouseMove, Qt::NoButton, landing, Qt::LeftButton);
        for (const int id : {1, 5, 10, 11})
            QCOMPARE(topLeftOf(id), homeOf(id) + QPoint(6, 5));
        QVERIFY(paintedAsNew());
        mouse(QEvent::MouseButtonRelease, Qt::LeftButton, landing);
        QVERIFY(!m_doc->GetHolding());
        for (const int id : {1, 5, 10, 11})
            QCOMPARE(topLeftOf(id), homeOf(id));
        // Piece 1 joins both its neighbours: four joins, two groups.
        QCOMPARE(m_sounds.count(SoundEffect::Join), 4);
        QCOMPARE(CountJoins(*m_doc).done, 12 - 2 - 5);
        QCOMPARE(chosen(), (std::vector<int>{0, 1, 2, 5, 9, 10, 11}));
        QVERIFY(paintedAsNew());
    }

    // Many groups carried at once repaint the squares about their old and
    // new places, and no others.
    void manyCarriedGroupsRepaintWhereTheyMove()
    {
        for (int id = 0; id < m_doc->PieceCount(); ++id)
            placeOnBoard(*m_doc, id, 1 + id % 4, 20 + 200 * (id % 4), 20 + 200 * (id / 4));
        m_view->documentChanged();
        mouse(QEvent::MouseButtonPress, Qt::LeftButton, QPoint(890, 890), Qt::LeftButton);
        mouse(QEvent::MouseMove, Qt::NoButton, QPoint(0, 0), Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(0, 0));
        QCOMPARE(chosen().size(), std::size_t(12));
        shot();
        mouse(QEvent::MouseButtonPress, Qt::LeftButton, centreOf(0), Qt::LeftButton);
        PaintRecorder recorder;
        vp()->installEventFilter(&recorder);
        const auto places = [&] {
            QRegion all;
            for (int id = 0; id < m_doc->PieceCount(); ++id)
                all += QRect(topLeftOf(id), QSize(200, 200));
            return all;
        };
        for (const QPoint to : {QPoint(150, 140), QPoint(160, 150)}) {
            const QRegion before = places();
            shot();
            recorder.painted = {};
            mouse(QEvent::MouseMove, Qt::NoButton, to, Qt::LeftButton);
            QApplication::processEvents();
            QVERIFY((before + places() - recorder.painted).isEmpty());
            QVERIFY(!recorder.painted.contains(QPoint(880, 880)));
            QVERIFY(paintedAsNew());
        }
        QCOMPARE(topLeftOf(11), QPoint(20 + 200 * 3 + 40, 20 + 200 * 2 + 30));
        mouse(QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(160, 150));
        QVERIFY(paintedAsNew());
    }

    // Ctrl+click chooses a group or no longer, without picking it up. A right
    // click while carrying the chosen groups turns each: the one under the
    // cursor about the cursor, the others about their centres. The choice
    // ends with Escape, a click on empty board, or a press on another group,
    // which is then carried alone.
    void ctrlClicksTurnsAndTheEndOfTheChoice_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Escape") << 0;
        QTest::newRow("click on empty board") << 1;
        QTest::newRow("press on another group") << 2;
    }
    void ctrlClicksTurnsAndTheEndOfTheChoice()
    {
        QFETCH(int, how);
        layJoined(0, 0, QPoint(40, 40));
        layJoined(4, 4, QPoint(100, 100));
        layJoined(8, 8, QPoint(420, -180));
        m_view->documentChanged();
        const auto ctrlClick = [&](int id) { click(centreOf(id), Qt::LeftButton, Qt::ControlModifier); };
        ctrlClick(0);
        ctrlClick(4);
        QCOMPARE(chosen(), (std::vector<int>{0, 4}));
        ctrlClick(0);
        QCOMPARE(chosen(), (std::vector<int>{4}));
        ctrlClick(0);
        QCOMPARE(chosen(), (std::vector<int>{0, 4}));
        QVERIFY(!m_doc->GetHolding());

        const QPoint place4 = topLeftOf(4);
        const QPoint spot = centreOf(0) + QPoint(15, -12);
        click(centreOf(0));
        click(spot, Qt::RightButton);
        QCOMPARE(m_doc->GetBoardTurn(0), 2);
        QCOMPARE(m_doc->GetBoardTurn(4), 2);
        QCOMPARE(FindPieceAt(*m_doc, spot.x(), spot.y()), 0);
        QCOMPARE(topLeftOf(4), place4);
        QVERIFY(paintedAsNew());
        click(spot);
        QVERIFY(!m_doc->GetHolding());

        const QPoint start0 = topLeftOf(0);
        if (how == 0)
            QTest::keyClick(m_view, Qt::Key_Escape);
        else
            click(how == 1 ? QPoint(850, 850) : centreOf(8));
        QCOMPARE(chosen(), std::vector<int>{});
        QCOMPARE(m_doc->GetHolding() != 0, how == 2);
        mouse(QEvent::MouseMove, Qt::NoButton, QPoint(700, 700));
        QCOMPARE(topLeftOf(0), start0);
        QVERIFY(paintedAsNew());
    }

    void cleanup() { m_pane.reset(); }
};

QTEST_MAIN(BoardSelectionTest)
#include "board_selection_test.moc"
