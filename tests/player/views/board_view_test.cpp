#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "views_test_support.h"

namespace {

const QColor kGreen(0, 128, 0);

}  // namespace

// The board on a pane of 500 × 500 unless a test says otherwise.
class BoardViewTest : public QObject, protected BoardHarness {
    Q_OBJECT

    QColor shownAt(QPoint board) const { return shot().pixelColor(onView(board)); }
    // The picture's colour at the centre of a piece in its turn on the board.
    QColor centreColour(int id) const
    {
        const QImage& sheet = m_images.sheet(m_doc->GetBoardTurn(id));
        return sheet.pixelColor(m_images.sourceRect(id).topLeft() + QPoint(m_s / 2, m_s / 2));
    }
    // The largest difference of two colours in one channel.
    static int distance(QColor a, QColor b)
    {
        return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
    }
    // Everything the board's rules keep: places, turns, groups, stacking and
    // the hold.
    std::vector<int> boardState() const
    {
        std::vector<int> state;
        const int cols = m_doc->GetCols();
        for (int id = 0; id < m_doc->PieceCount(); ++id) {
            const QRect r = rectOf(id);
            state.insert(state.end(), {r.x(), r.y(), r.width(), m_doc->GetBoardTurn(id), m_doc->GetOnBoard(id),
                                       m_doc->ZCol()[id], m_doc->ZRow()[id]});
            for (int other = 0; other < m_doc->PieceCount(); ++other)
                state.push_back(m_doc->Group(id)[other % cols][other / cols]);
        }
        state.insert(state.end(), {m_doc->GetHolding(), m_doc->GetHoldCol(), m_doc->GetHoldRow()});
        return state;
    }
    // Picks up, carries, joins and turns with board-coordinate gestures on a
    // 900 × 900 pane, and returns the board after each gesture.
    std::vector<std::vector<int>> playGestures()
    {
        resizeBoard(QSize(900, 900));
        layJoined(4, 5, QPoint(40, 40));
        placeOnBoard(*m_doc, 1, 1, 400, 360);
        placeOnBoard(*m_doc, 0, 1, 40, 400);
        m_view->documentChanged();
        std::vector<std::vector<int>> states;
        // Drag piece 1 next to piece 4: it snaps on.
        mouse(QEvent::MouseButtonPress, Qt::LeftButton, QPoint(500, 460), Qt::LeftButton);
        states.push_back(boardState());
        mouse(QEvent::MouseMove, Qt::NoButton, QPoint(300, 300), Qt::LeftButton);
        mouse(QEvent::MouseMove, Qt::NoButton, QPoint(264, 136), Qt::LeftButton);
        states.push_back(boardState());
        mouse(QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(264, 136));
        states.push_back(boardState());
        // Turn the group about a spot on piece 5.
        click(QPoint(384, 264), Qt::RightButton);
        states.push_back(boardState());
        // Click piece 0, carry it without a button, turn it while held, put
        // it down with a second click.
        click(QPoint(140, 500));
        mouse(QEvent::MouseMove, Qt::NoButton, QPoint(212, 452));
        states.push_back(boardState());
        click(QPoint(212, 452), Qt::RightButton);
        states.push_back(boardState());
        mouse(QEvent::MouseMove, Qt::NoButton, QPoint(236, 480));
        mouse(QEvent::MouseButtonPress, Qt::LeftButton, QPoint(236, 480), Qt::LeftButton);
        states.push_back(boardState());
        return states;
    }
    void showBoard(int scrollY)
    {
        m_view->documentChanged();
        m_view->verticalScrollBar()->setValue(scrollY);
        shot();
    }

private slots:
    void init() { openBoard(QSize(500, 500)); }

    void paintsPiecesOnTheBoardOnly()
    {
        placeOnBoard(*m_doc, 4, 1, 40, 30);
        placeOnBoard(*m_doc, 7, 2, 220, 260);
        m_doc->PieceRect()[2][0] = RECT{40, 260, 40 + m_s, 260 + m_s};  // piece 2 stays in the tray
        showBoard(20);
        QCOMPARE(shownAt(centreOf(4)), centreColour(4));
        QCOMPARE(shownAt(centreOf(7)), centreColour(7));
        QCOMPARE(shownAt(QPoint(40 + 3, 30 + 3)), kGreen);
        QCOMPARE(shownAt(centreOf(2)), kGreen);
    }

    void picksTheUpperOutline()
    {
        placeOnBoard(*m_doc, 0, 1, 100, 100);
        placeOnBoard(*m_doc, 4, 1, 200, 200);
        BringGroupToFront(*m_doc, 1, 1);
        click(QPoint(250, 250));
        QVERIFY(m_doc->GetHolding());
        QCOMPARE(m_doc->GetHoldRow(), 1);
        click(QPoint(250, 250));
        QVERIFY(!m_doc->GetHolding());
        click(QPoint(215, 215));  // the transparent corner of piece 4
        QCOMPARE(m_doc->GetHoldRow(), 0);
    }

    void dragsCarriesAndKeepsTheCursorPointInView()
    {
        placeOnBoard(*m_doc, 4, 1, 40, 40);
        showBoard(20);
        PaintRecorder recorder;
        vp()->installEventFilter(&recorder);
        mouse(QEvent::MouseButtonPress, Qt::LeftButton, QPoint(140, 140), Qt::LeftButton);
        mouse(QEvent::MouseMove, Qt::NoButton, QPoint(300, 150), Qt::LeftButton);
        QApplication::processEvents();
        recorder.painted = {};
        mouse(QEvent::MouseMove, Qt::NoButton, QPoint(370, 160), Qt::LeftButton);
        QApplication::processEvents();
        QVERIFY(QRect(onView(QPoint(200, 50)), QSize(m_s + 70, m_s + 10)).contains(recorder.painted.boundingRect()));
        QCOMPARE(shownAt(centreOf(4)), centreColour(4));
        QVERIFY(paintedAsNew());
        mouse(QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(370, 160));
        QVERIFY(!m_doc->GetHolding());
        QCOMPARE(rectOf(4).topLeft(), QPoint(270, 60));
        QCOMPARE(shownAt(QPoint(140, 140)), kGreen);
        QVERIFY(paintedAsNew());

        // Click, move without a button, click: the piece follows the mouse,
        // whose point stays inside the viewport, 25 pixels clear of the
        // bottom. The second click, when quick, arrives as a double click
        // and puts the piece down as a press would.
        click(centreOf(4));
        const QPoint grab(m_s / 2, m_s / 2);
        mouse(QEvent::MouseMove, Qt::NoButton, m_view->scrollPosition() - QPoint(500, 500));
        QCOMPARE(rectOf(4).topLeft(), m_view->scrollPosition() - grab);
        mouse(QEvent::MouseMove, Qt::NoButton, m_view->scrollPosition() + QPoint(5000, 5000));
        const QSize page = vp()->size();
        QCOMPARE(rectOf(4).topLeft(), m_view->scrollPosition() + QPoint(page.width() - 1, page.height() - 26) - grab);
        mouse(QEvent::MouseMove, Qt::NoButton, QPoint(150, 130));
        mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, QPoint(150, 130), Qt::LeftButton);
        QVERIFY(!m_doc->GetHolding());
        QCOMPARE(rectOf(4).topLeft(), QPoint(50, 30));
        QCOMPARE(shownAt(centreOf(4)), centreColour(4));
    }

    void rightClicksTurnOrOpenTheMenu()
    {
        QSignalSpy menus(m_view, &CVorpelView::contextMenuRequested);
        layJoined(4, 5, QPoint(30, 40));
        showBoard(30);
        const QRect start = rectOf(4);
        const QRect neighbour = rectOf(5);
        const QPoint spot = start.topLeft() + QPoint(m_s / 2 + 15, m_s / 2 - 12);
        for (int turn = 2; turn <= 5; ++turn) {
            click(spot, Qt::RightButton);
            QCOMPARE(m_doc->GetBoardTurn(5), (turn - 1) % 4 + 1);
            QCOMPARE(FindPieceAt(*m_doc, spot.x(), spot.y()), 4);
            QVERIFY(paintedAsNew());
        }
        QCOMPARE(rectOf(4), start);
        QCOMPARE(rectOf(5), neighbour);
        click(spot, Qt::RightButton);
        mouse(QEvent::MouseButtonDblClick, Qt::RightButton, spot, Qt::RightButton);
        QCOMPARE(m_doc->GetBoardTurn(4), 3);
        QCOMPARE(menus.count(), 0);

        const QPoint empty = m_view->scrollPosition() + QPoint(10, 10);
        click(empty, Qt::RightButton);
        mouse(QEvent::MouseButtonDblClick, Qt::RightButton, empty, Qt::RightButton);
        QCOMPARE(menus.count(), 1);
        QCOMPARE(menus.at(0).at(0).toPoint(), vp()->mapToGlobal(QPoint(10, 10)));
    }

    void sizesAndScrolls()
    {
        resizeBoard(QSize(1000, 900));
        QCOMPARE(m_view->totalSize(), QSize(980, 880));
        resizeBoard(QSize(300, 300));
        // Three columns and four rows of pitch 120 with the margin of 80,
        // and the home marks' offset on both sides.
        const QSize needed(444, 560);
        QCOMPARE(m_view->totalSize(), needed);
        QCOMPARE(m_view->horizontalScrollBar()->maximum(), needed.width() - vp()->width());
    }

    // A turn that takes a group past the top edge, or past the bottom of
    // what a play file holds (65,279), moves the board and the view
    // together: nothing moves on screen, the clicked spot stays under the
    // cursor, and every piece stays within reach.
    void turnsAtTheEdgeWithoutMovingTheScreen_data()
    {
        QTest::addColumn<int>("top");    // of the row of pieces 0 to 2
        QTest::addColumn<int>("about");  // the piece turned about
        QTest::newRow("top edge") << 30 << 2;
        QTest::newRow("far edge") << 65279 - 230 << 0;
    }
    void turnsAtTheEdgeWithoutMovingTheScreen()
    {
        QFETCH(int, top);
        QFETCH(int, about);
        layJoined(0, 2, QPoint(0, top));
        placeOnBoard(*m_doc, 7, 1, 300, top < 300 ? 300 : top - 300);
        showBoard(std::max(0, top - 350));
        const QPoint spot = centreOf(about) + QPoint(6, -4);
        const QPoint under = onView(spot);
        const QPoint bystander = onView(rectOf(7).topLeft());
        click(spot, Qt::RightButton);
        QCOMPARE(m_doc->GetBoardTurn(about), 2);
        const QPoint now = under + m_view->scrollPosition();
        QCOMPARE(FindPieceAt(*m_doc, now.x(), now.y()), about);
        QCOMPARE(onView(rectOf(7).topLeft()), bystander);
        const RECT table = BoardBounds(*m_doc);
        QCOMPARE(std::min(table.top, 65279 - table.bottom), 0);
        QVERIFY(paintedAsNew());
    }

    // The scroll area covers every piece, wherever it lies; the view keeps
    // no picture of the board larger than itself.
    void scrollsToEveryPiece()
    {
        for (const QPoint far : {QPoint(1500, 1200), QPoint(40000, 30000)}) {
            placeOnBoard(*m_doc, 4, 1, far.x(), far.y());
            m_view->documentChanged();
            scrollBoard(far);
            QVERIFY(vp()->rect().contains(QRect(onView(rectOf(4).topLeft()), QSize(m_s, m_s))));
            QCOMPARE(shownAt(centreOf(4)), centreColour(4));
            QVERIFY(paintedAsNew());
        }
        placeOnBoard(*m_doc, 4, 1, 20, 20);
        m_view->documentChanged();
        QVERIFY(m_view->totalSize().width() >= 40000);  // the range keeps the place shown
        scrollBoard(QPoint(0, 0));
        m_view->documentChanged();
        QVERIFY(m_view->totalSize().width() < 1000);
    }

    void zoomedGesturesChangeTheBoardAsAtActualSize_data()
    {
        QTest::addColumn<int>("percent");
        QTest::newRow("25 %") << 25;
        QTest::newRow("50 %") << 50;
        QTest::newRow("150 %") << 150;
    }
    void zoomedGesturesChangeTheBoardAsAtActualSize()
    {
        QFETCH(int, percent);
        const CVorpelDoc start = *m_doc;
        const auto actual = playGestures();
        QCOMPARE(m_sounds.count(SoundEffect::Join), 1);
        QVERIFY(actual[0] != actual[1] && actual[2] != actual[3] && actual[4] != actual[5]);

        *m_doc = start;
        m_sounds.played.clear();
        m_view->zoomAbout(percent, QPoint(0, 0));
        QCOMPARE(m_view->zoomPercent(), percent);
        const auto zoomed = playGestures();
        QCOMPARE(m_sounds.count(SoundEffect::Join), 1);
        QVERIFY(paintedAsNew());
        for (std::size_t i = 0; i < actual.size(); ++i)
            QVERIFY2(zoomed[i] == actual[i], qPrintable(QStringLiteral("gesture %1").arg(i)));
    }

    // Fitting picks the largest level at which the puzzle's area and every
    // piece lie in view, below the smallest level the largest whole percent
    // that does, and paints the far piece from the reduced images.
    void fitShowsTheWholeTable_data()
    {
        QTest::addColumn<QSize>("pane");
        QTest::addColumn<QPoint>("far");
        QTest::addColumn<int>("percent");
        QTest::newRow("wide pane") << QSize(1000, 800) << QPoint(2400, 1800) << 33;
        QTest::newRow("small pane") << QSize(455, 444) << QPoint(2400, 1800) << 15;
        QTest::newRow("beyond the levels") << QSize(455, 444) << QPoint(20000, 15000) << 2;
    }
    void fitShowsTheWholeTable()
    {
        QFETCH(QSize, pane);
        QFETCH(QPoint, far);
        QFETCH(int, percent);
        resizeBoard(pane);
        placeOnBoard(*m_doc, 4, 1, far.x(), far.y());
        m_view->documentChanged();
        m_view->zoomAbout(150, QPoint(0, 0));
        m_view->horizontalScrollBar()->setValue(300);
        QSignalSpy changed(m_view, &CVorpelView::zoomChanged);
        m_view->zoomToFit();
        QCOMPARE(m_view->zoomPercent(), percent);
        QCOMPARE(changed.count(), 1);
        const QRect shown = vp()->rect();
        QVERIFY(shown.contains(QRect(onView(far), onView(far + QPoint(m_s, m_s)))));
        QVERIFY(shown.contains(QRect(onView(QPoint(0, 0)), onView(QPoint(444, 560)))));
        // The far piece shows in its colours, or nearly so when a few pixels
        // wide.
        const QColor colour = shot().pixelColor(onView(far + QPoint(m_s / 2, m_s / 2)));
        QVERIFY(distance(colour, centreColour(4)) < (percent >= 10 ? 20 : distance(colour, kGreen)));
        QVERIFY(paintedAsNew());
    }

    // A carried piece follows the cursor at any zoom, however large it is
    // on screen.
    void carriedPieceFollowsTheCursor_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<QPoint>("drag");  // in screen pixels
        QTest::addColumn<QPoint>("moved");  // on the board
        QTest::newRow("150 %") << 150 << QPoint(99, 156) << QPoint(66, 104);
        QTest::newRow("200 %") << 200 << QPoint(100, 156) << QPoint(50, 78);
    }
    void carriedPieceFollowsTheCursor()
    {
        QFETCH(int, percent);
        QFETCH(QPoint, drag);
        QFETCH(QPoint, moved);
        resizeBoard(QSize(455, 444));
        placeOnBoard(*m_doc, 4, 1, 40, 40);
        m_view->documentChanged();
        m_view->zoomAbout(percent, QPoint(0, 0));
        const QPoint at(150, 150);
        const QPoint scroll = centreOf(4) * percent / 100 - at;
        scrollBoard(scroll);
        mouseAt(QEvent::MouseButtonPress, Qt::LeftButton, at, Qt::LeftButton);
        mouseAt(QEvent::MouseMove, Qt::NoButton, at + drag, Qt::LeftButton);
        mouseAt(QEvent::MouseButtonRelease, Qt::LeftButton, at + drag);
        QVERIFY(!m_doc->GetHolding());
        QCOMPARE(rectOf(4).topLeft(), QPoint(40, 40) + moved);
    }

    // Ctrl with the wheel zooms one level a notch, keeping the board point
    // under the cursor; the scroll range grows to allow it.
    void ctrlWheelZoomsAboutTheCursor()
    {
        placeOnBoard(*m_doc, 4, 1, 1500, 1200);
        m_view->documentChanged();
        scrollBoard(QPoint(300, 200));
        const QPoint cursor(220, 140);
        const QPoint under = m_view->boardPointAt(vp()->mapToGlobal(cursor)).value();
        QCOMPARE(under, QPoint(520, 340));
        for (const auto& [delta, percent] : {std::pair{120, 150}, std::pair{120, 200}, std::pair{-120, 150},
                                             std::pair{-120, 100}, std::pair{-120, 67}, std::pair{-120, 50}}) {
            wheelAt(vp(), cursor, delta, Qt::ControlModifier);
            QCOMPARE(m_view->zoomPercent(), percent);
            const QPoint now = m_view->boardPointAt(vp()->mapToGlobal(cursor)).value();
            QVERIFY2((now - under).manhattanLength() <= 2, qPrintable(QStringLiteral("at %1 %").arg(percent)));
        }
        QCOMPARE(m_view->visibleBoardRect(), QRect(m_view->scrollPosition() * 2, vp()->size() * 2));
        QVERIFY(paintedAsNew());
        // The plain wheel still scrolls, sideways and down, and leaves the
        // zoom alone.
        const QPoint scroll = m_view->scrollPosition();
        wheelAt(vp(), cursor, -120);
        QCOMPARE(m_view->zoomPercent(), 50);
        QCOMPARE(m_view->scrollPosition().x(), scroll.x() + 50);
        QVERIFY(m_view->scrollPosition().y() > scroll.y());
    }

    // The faint picture lies where the completed puzzle would, on the table's
    // colour, beneath the pieces, at any zoom.
    void backdropShowsThePictureBeneathThePieces_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("tolerance");  // reduced pieces are smoothed
        QTest::newRow("25 %") << 25 << 8;
        QTest::newRow("100 %") << 100 << 1;
    }
    void backdropShowsThePictureBeneathThePieces()
    {
        QFETCH(int, percent);
        QFETCH(int, tolerance);
        const QColor table(0x20, 0x50, 0x8c);
        m_view->setTableColor(table);
        m_view->setBackdropShown(true);
        m_view->zoomAbout(percent, QPoint(0, 0));
        layJoined(7, 7, QPoint(0, 0));
        m_view->documentChanged();
        const POINT home4 = homePlace(*m_doc, 4, m_s / 2, m_s / 2);
        const QColor under = m_images.sheet(1).pixelColor(m_images.sourceRect(4).topLeft() + QPoint(m_s / 2, m_s / 2));
        const QColor faint((table.red() * 4 + under.red()) / 5, (table.green() * 4 + under.green()) / 5,
                           (table.blue() * 4 + under.blue()) / 5);
        QVERIFY(distance(shownAt(QPoint(home4.x, home4.y)), faint) <= tolerance);
        QVERIFY(distance(shownAt(centreOf(7)), centreColour(7)) <= tolerance);
        QCOMPARE(shownAt(QPoint(m_doc->BoardWidth() + 20, 40)), table);
    }

    void cleanup() { m_pane.reset(); }
};

QTEST_MAIN(BoardViewTest)
#include "board_view_test.moc"
