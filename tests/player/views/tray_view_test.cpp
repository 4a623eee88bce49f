#include <QComboBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QtTest>

#include "drag_overlay.h"
#include "play_rules.h"
#include "tray_view.h"
#include "views_test_support.h"

// The tray beside the board in a splitter, under the drag overlay, with a
// strip above both panes that belongs to neither. Mouse input goes to the
// pane a drag began in, as Qt's implicit grab would deliver it.
class TrayViewTest : public QObject, protected BoardHarness {
    Q_OBJECT

    QSplitter* m_splitter = nullptr;
    CPsView* m_tray = nullptr;
    DragOverlay* m_overlay = nullptr;

    int s() const { return m_doc->PieceSize(); }
    QPoint slotCentre(int slot) const
    {
        const POINT o = TraySlotOrigin(*m_doc, slot);
        return QPoint(o.x, o.y - m_tray->verticalScrollBar()->value()) + QPoint(s() / 2, s() / 2);
    }
    QPoint fromBoard(QPoint p) const { return m_tray->viewport()->mapFromGlobal(m_view->viewport()->mapToGlobal(p)); }
    void mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons = Qt::LeftButton)
    {
        QWidget* viewport = m_tray->viewport();
        QMouseEvent event(type, pos, viewport->mapToGlobal(pos), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }
    void drag(int slot, QPoint to)
    {
        mouse(QEvent::MouseButtonPress, slotCentre(slot), Qt::LeftButton);
        mouse(QEvent::MouseMove, fromBoard(QPoint(200, 200)), Qt::NoButton);
        mouse(QEvent::MouseMove, to, Qt::NoButton);
        mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
    // Scrolls the tray to the slot that holds a piece, and returns the slot.
    int showSlotOf(int piece)
    {
        const int slot = slotOfPiece(*m_doc, piece);
        m_tray->verticalScrollBar()->setValue(TraySlotOrigin(*m_doc, slot).y);
        return slot;
    }
    QPair<int, int> slotContent(int slot) const { return {m_doc->GetTrayPiece(slot), m_doc->GetTrayTurn(slot)}; }
    // Chooses the filter in the box above the slots and scrolls through the
    // whole tray: which slots show a piece (a white cell; hidden pieces and
    // empty slots show the background).
    QList<bool> shownSlots(TrayFilter filter)
    {
        auto* box = m_tray->findChild<QComboBox*>();
        box->setCurrentIndex(box->findData(static_cast<int>(filter)));
        QScrollBar* bar = m_tray->verticalScrollBar();
        const int page = std::max(s(), m_tray->viewport()->height() / s() * s());
        QList<bool> shown(m_doc->PieceCount() + 1);
        for (int value = 0; value < bar->maximum() + page; value += page) {
            bar->setValue(value);
            const QImage image = m_tray->viewport()->grab().toImage();
            for (int slot = 0; slot <= m_doc->PieceCount(); ++slot) {
                const QRect cell(slotCentre(slot) - QPoint(s() / 2, s() / 2), QSize(s(), s()));
                if (image.rect().contains(cell))
                    shown[slot] = image.pixel(cell.topLeft() + QPoint(1, 1)) == qRgb(255, 255, 255);
            }
        }
        return shown;
    }

private slots:
    void init()
    {
        openBoard(QSize(900, 700));
        m_splitter = new QSplitter(m_pane.get());
        m_splitter->setGeometry(0, 60, 900, 640);
        m_splitter->addWidget(m_view);
        m_tray = new CPsView(*m_doc, m_images, m_sounds, m_splitter);
        m_splitter->setSizes({460, 440});
        m_overlay = new DragOverlay(m_images, m_pane.get());
        m_tray->setHandOver(std::make_unique<PieceHandOver>(*m_view));
        m_tray->setOverlay(m_overlay);
        m_splitter->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pane.get()));
        QCOMPARE(m_doc->GetTrayCols(), 2);
    }
    void cleanup() { m_pane.reset(); }

    void dragOntoAnotherSlotSwapsOrMoves()
    {
        const auto first = slotContent(0), second = slotContent(1);
        drag(0, slotCentre(1));
        QCOMPARE(qMakePair(slotContent(0), slotContent(1)), qMakePair(second, first));
        QCOMPARE(m_sounds.played, std::vector<SoundEffect>{SoundEffect::FlyBack});
        QVERIFY(!m_doc->GetTrayDrag() && !m_doc->GetHolding() && m_overlay->isHidden());

        // The spare last slot lies below the fold: scroll there and move a piece in.
        const int last = m_doc->PieceCount();
        m_tray->verticalScrollBar()->setValue(m_tray->verticalScrollBar()->maximum());
        const auto moved = slotContent(last - 1);
        drag(last - 1, slotCentre(last));
        QCOMPARE(slotContent(last), moved);
        QCOMPARE(m_doc->GetTrayTurn(last - 1), 0);
        QCOMPARE(m_sounds.count(SoundEffect::FlyBack), 2);
    }

    void releaseOutsideBothPanesFliesBack()
    {
        const auto home = slotContent(0);
        drag(0, m_tray->viewport()->mapFromGlobal(m_pane->mapToGlobal(QPoint(450, 50))));
        QCOMPARE(slotContent(0), home);
        QCOMPARE(m_sounds.count(SoundEffect::FlyBack), 1);

        // A right click in the window's top band ends the drag there. A
        // quick second press arrives as a double click and picks up as a
        // press would.
        const QPoint band = m_tray->viewport()->mapFromGlobal(m_pane->frameGeometry().topLeft() + QPoint(450, 10));
        mouse(QEvent::MouseButtonDblClick, slotCentre(0), Qt::LeftButton);
        QVERIFY(m_doc->GetTrayDrag());
        mouse(QEvent::MouseMove, band, Qt::NoButton);
        mouse(QEvent::MouseButtonPress, band, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
        QVERIFY(!m_doc->GetTrayDrag());
        mouse(QEvent::MouseButtonRelease, band, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(slotContent(0), home);
        QCOMPARE(m_sounds.count(SoundEffect::FlyBack), 2);
    }

    // A piece dropped on the board lands centred where it was shown, in the
    // turn a right click gave it during the drag. Over the board it shows at
    // the board's zoom; over the tray at actual size.
    void dropOnBoardLandsWhereShownInTheTurnGiven_data()
    {
        QTest::addColumn<int>("zoom");
        QTest::newRow("actual size") << 100;
        QTest::newRow("half size") << 50;
    }
    void dropOnBoardLandsWhereShownInTheTurnGiven()
    {
        QFETCH(int, zoom);
        m_view->zoomAbout(zoom, QPoint(0, 0));
        const auto [piece, turn] = slotContent(0);
        const QPoint target = fromBoard(QPoint(200, 252));
        mouse(QEvent::MouseButtonPress, slotCentre(0), Qt::LeftButton);
        QCOMPARE(m_overlay->shownRect().size(), QSize(s(), s()));
        mouse(QEvent::MouseMove, target, Qt::NoButton);
        const QRect shown = m_overlay->shownRect();
        QCOMPARE(shown.size(), QSize(s(), s()) * zoom / 100);
        mouse(QEvent::MouseButtonPress, target, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
        mouse(QEvent::MouseButtonRelease, target, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(m_doc->GetOnBoard(piece), 1);
        QCOMPARE(m_doc->GetBoardTurn(piece), turn % 4 + 1);
        const QPoint at = rectOf(piece).topLeft();
        QCOMPARE(at, (QPoint(200, 252) + m_view->scrollPosition()) * 100 / zoom - QPoint(s() / 2, s() / 2));
        QCOMPARE(m_view->viewport()->mapToGlobal(at * zoom / 100 - m_view->scrollPosition()), shown.topLeft());
        QCOMPARE(slotContent(0), qMakePair(-1, 0));
        QCOMPARE(m_doc->GetPiecesOut(), 1);
        QVERIFY(m_sounds.played.empty() && m_overlay->isHidden());
    }

    void rightClickTurnsAPieceOrAsksForTheMenu()
    {
        QSignalSpy menu(m_tray, &CPsView::contextMenuRequested);
        const auto [piece, turn] = slotContent(0);
        mouse(QEvent::MouseButtonPress, slotCentre(0), Qt::RightButton, Qt::RightButton);
        mouse(QEvent::MouseButtonDblClick, slotCentre(0), Qt::RightButton, Qt::RightButton);
        QCOMPARE(slotContent(0), qMakePair(piece, (turn + 1) % 4 + 1));
        QCOMPARE(menu.count(), 0);

        const QPoint corner(2, 2);
        QVERIFY(!HitTestPieceTurn(*m_doc, 2, 2, piece, m_doc->GetTrayTurn(0)));
        mouse(QEvent::MouseButtonPress, corner, Qt::RightButton, Qt::RightButton);
        QCOMPARE(menu.count(), 1);
        QCOMPARE(menu.at(0).at(0).toPoint(), m_tray->viewport()->mapToGlobal(corner));
        QCOMPARE(slotContent(0), qMakePair(piece, (turn + 1) % 4 + 1));
    }

    void blackModeTwoShowsSilhouettesWithoutTheWhiteSurround()
    {
        const auto [piece, turn] = slotContent(0);
        const QPoint inside(s() / 2, s() / 2);
        const QPoint outside(2, 2);
        QVERIFY(HitTestPieceTurn(*m_doc, inside.x(), inside.y(), piece, turn));
        const QColor background = m_tray->palette().color(QPalette::Window);
        const QRgb picture = m_images.sheet(turn).pixel(m_images.sourceRect(piece).topLeft() + inside);
        const QImage normal = m_tray->viewport()->grab().toImage();
        QCOMPARE(normal.pixel(inside), picture);
        QCOMPARE(normal.pixel(outside), qRgb(255, 255, 255));
        m_doc->SetBlackMode(2);
        m_tray->documentChanged();
        const QImage black = m_tray->viewport()->grab().toImage();
        QCOMPARE(black.pixel(inside), qRgb(255 - background.red(), 255 - background.green(), 255 - background.blue()));
        QCOMPARE(black.pixel(outside), background.rgb());
    }

    // The filter shows the pieces of its kind where they lie; each piece
    // shows under one number of tabs. A hidden piece cannot be hit, and a
    // drop on it flies back.
    void filterShowsPiecesByShape_data()
    {
        QTest::addColumn<int>("sizeIndex");
        QTest::newRow("12 pieces") << kSize12;
        QTest::newRow("1000 pieces") << kSize1000;
    }
    void filterShowsPiecesByShape()
    {
        QFETCH(int, sizeIndex);
        *m_doc = *loadedDoc(sizeIndex, jigsaw::DataFormat::Large, jigsaw::ColorFormat::TrueColor, m_clock);
        m_images.rebuild(*m_doc);
        m_tray->documentChanged();
        const CVorpelDoc before = *m_doc;
        const int cols = m_doc->GetCols();
        const int lastRowStart = m_doc->PieceCount() - cols;
        QList<bool> edges, inner;
        for (int slot = 0; slot <= m_doc->PieceCount(); ++slot) {
            const auto [piece, turn] = slotContent(slot);
            const bool edge = piece % cols == 0 || piece % cols == cols - 1 || piece < cols || piece >= lastRowStart;
            edges << (turn != 0 && edge);
            inner << (turn != 0 && !edge);
        }
        QCOMPARE(shownSlots(TrayFilter::Edges), edges);
        QCOMPARE(shownSlots(TrayFilter::Inner), inner);
        QList<int> tabFilters(m_doc->PieceCount() + 1);
        for (int tabs = 0; tabs <= 4; ++tabs) {
            const QList<bool> shown = shownSlots(TrayFilter(static_cast<int>(TrayFilter::Tabs0) + tabs));
            for (int slot = 0; slot <= m_doc->PieceCount(); ++slot)
                tabFilters[slot] += shown[slot] ? 1 : 0;
        }
        for (int slot = 0; slot <= m_doc->PieceCount(); ++slot)
            QCOMPARE(tabFilters[slot], edges[slot] || inner[slot] ? 1 : 0);

        shownSlots(TrayFilter::Edges);
        const int hidden = static_cast<int>(inner.indexOf(true));
        m_tray->verticalScrollBar()->setValue(TraySlotOrigin(*m_doc, hidden).y);
        QSignalSpy menu(m_tray, &CPsView::contextMenuRequested);
        mouse(QEvent::MouseButtonPress, slotCentre(hidden), Qt::RightButton, Qt::RightButton);
        mouse(QEvent::MouseButtonPress, slotCentre(hidden), Qt::LeftButton);
        QCOMPARE(menu.count(), 1);
        QVERIFY(*m_doc == before);
        drag(static_cast<int>(edges.indexOf(true)), slotCentre(hidden));
        QCOMPARE(slotContent(hidden), qMakePair(before.GetTrayPiece(hidden), before.GetTrayTurn(hidden)));
    }

    // A wheel notch scrolls the tray's slots a step further than the plain
    // scroll area would, down for a notch towards the user, and stops at
    // either end.
    void wheelScrollsTheTrayBetweenItsEnds()
    {
        QScrollBar* bar = m_tray->verticalScrollBar();
        const auto notch = [&](int delta) {
            const int before = bar->value();
            wheelAt(m_tray->viewport(), QPoint(9, 9), delta);
            return bar->value() - before;
        };
        QCOMPARE(notch(120), 0);
        while (bar->value() < bar->maximum())
            QVERIFY(notch(-120) >= 70 || bar->value() == bar->maximum());
        QCOMPARE(notch(-120), 0);
        QVERIFY(notch(120) <= -70);
    }

    // A piece carried from the tray, or a group carried on the board, that
    // nears an edge of the board scrolls the board that way; the group
    // stays under the cursor. Away from the edges the board stays, and the
    // piece lands under the cursor.
    void carryingToTheBoardsEdgesScrollsIt_data()
    {
        QTest::addColumn<bool>("fromTray");
        QTest::addColumn<QPoint>("edge");  // the direction of the scroll
        for (const bool fromTray : {true, false}) {
            const char* from = fromTray ? "from the tray" : "on the board";
            QTest::addRow("%s, right", from) << fromTray << QPoint(1, 0);
            QTest::addRow("%s, bottom", from) << fromTray << QPoint(0, 1);
            QTest::addRow("%s, top left", from) << fromTray << QPoint(-1, -1);
        }
    }
    void carryingToTheBoardsEdgesScrollsIt()
    {
        QFETCH(bool, fromTray);
        QFETCH(QPoint, edge);
        placeOnBoard(*m_doc, 4, 1, 200, 200);
        placeOnBoard(*m_doc, 7, 1, 1500, 1200);
        m_view->documentChanged();
        scrollBoard(QPoint(100, 100));
        const QPoint start = m_view->scrollPosition();
        const QSize page = vp()->size();
        const QPoint middle(page.width() / 2, page.height() / 2);
        const auto along = [](int direction, int length, int fromEnd) {
            return direction > 0 ? length - fromEnd : direction < 0 ? 3 : length / 2;
        };
        const QPoint at(along(edge.x(), page.width(), 4), along(edge.y(), page.height(), 30));
        const int piece = fromTray ? 0 : 4;
        if (fromTray)
            mouse(QEvent::MouseButtonPress, slotCentre(showSlotOf(piece)), Qt::LeftButton);
        else
            mouseAt(QEvent::MouseButtonPress, Qt::LeftButton, onView(centreOf(piece)), Qt::LeftButton);
        // Qt gives every mouse event of a drag to the pane it began in.
        const auto carry = [&](QEvent::Type type, QPoint to) {
            QWidget* pane = fromTray ? m_tray->viewport() : vp();
            const bool release = type == QEvent::MouseButtonRelease;
            QMouseEvent event(type, pane->mapFromGlobal(vp()->mapToGlobal(to)), vp()->mapToGlobal(to),
                              release ? Qt::LeftButton : Qt::NoButton, release ? Qt::NoButton : Qt::LeftButton, {});
            QApplication::sendEvent(pane, &event);
        };
        carry(QEvent::MouseMove, middle);
        carry(QEvent::MouseMove, at);
        const auto direction = [&] {
            const QPoint d = m_view->scrollPosition() - start;
            return QPoint((d.x() > 0) - (d.x() < 0), (d.y() > 0) - (d.y() < 0));
        };
        QTRY_COMPARE(direction(), edge);
        const QPoint grab(s() / 2, s() / 2);
        if (!fromTray)
            QCOMPARE(rectOf(piece).topLeft(), at + m_view->scrollPosition() - grab);
        carry(QEvent::MouseMove, middle);
        const QPoint stopped = m_view->scrollPosition();
        QTest::qWait(150);
        QCOMPARE(m_view->scrollPosition(), stopped);
        carry(QEvent::MouseButtonRelease, middle);
        QVERIFY(!m_doc->GetHolding() && !m_doc->GetTrayDrag());
        QCOMPARE(rectOf(piece).topLeft(), middle + stopped - grab);
        QVERIFY(paintedAsNew());
    }

    // The last join completes the puzzle, whether the last piece was put
    // down on the board or dropped there from the tray: one join sound, the
    // completion's, and completion reported once even when something
    // reports it again meanwhile.
    void theLastJoinCompletesOnce_data()
    {
        QTest::addColumn<bool>("fromTray");
        QTest::newRow("put down on the board") << false;
        QTest::newRow("dropped from the tray") << true;
    }
    void theLastJoinCompletesOnce()
    {
        QFETCH(bool, fromTray);
        const int last = m_doc->PieceCount() - 1;
        layJoined(0, last - 1, QPoint(20, 20));
        const QPoint home(260, 380);  // column 2, row 3 of pitch 120 from (20, 20)
        const QPoint off = home + QPoint(7, -6) + QPoint(s() / 2, s() / 2);
        QSignalSpy completed(m_view, &CVorpelView::puzzleCompleted);
        connect(m_view, &CVorpelView::puzzleCompleted, this, [this] {
            JoinResult again;
            again.completed = true;
            m_view->pieceArrived(again);
        });
        // Clear of the band along the board's right edge that would scroll it.
        m_view->horizontalScrollBar()->setValue(100);
        if (fromTray) {
            m_doc->SetTrayTurn(slotOfPiece(*m_doc, last), 1);
            drag(showSlotOf(last), fromBoard(onView(off)));
        } else {
            placeOnBoard(*m_doc, last, 1, home.x() + 7, home.y() - 6);
            m_view->documentChanged();
            click(off);
            click(off);
        }
        QCOMPARE(rectOf(last).topLeft(), home);
        QCOMPARE(m_sounds.played, (std::vector<SoundEffect>{SoundEffect::Join, SoundEffect::Complete}));
        QCOMPARE(completed.count(), 1);
        QVERIFY(paintedAsNew());
    }

    void narrowTrayKeepsOneColumnOfPieceWidth()
    {
        m_splitter->setSizes({800, 100});
        QVERIFY(m_tray->viewport()->width() < s());
        QCOMPARE(m_doc->GetTrayCols(), 1);
        QCOMPARE(m_doc->GetTrayWidth(), s());
        QCOMPARE(m_tray->verticalScrollBar()->maximum(),
                 (m_doc->PieceCount() + 1) * s() - m_tray->viewport()->height());
    }
};

QTEST_MAIN(TrayViewTest)
#include "tray_view_test.moc"
