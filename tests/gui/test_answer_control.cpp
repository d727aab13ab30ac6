#include "TavelkoError.h"
#include "UnitAnswerControl.h"
#include "UnitAnswerKeys.h"
#include "UnitPictureZoom.h"
#include "UnitPaintBox.h"

#include <QtTest>

namespace {

// A classic tool 100 wide and 500 high with the inset rectangle: cells of 80 pixels from
// (10, 10), so the centres lie at (50, 50 + 80 r) and the discs have a radius of 32.
TAnswerControl Classic(TCanvas *canvas = nullptr)
{
    return TAnswerControl(canvas, "#", "#", 100, 500, {10, 10, 90, 490});
}

// Clicks at a point: move there, press, release (as the paint box forwards a left click).
void Click(TAnswerControl &tool, int x, int y)
{
    tool.Move(x, y);
    tool.Down(x, y);
    tool.Up(x, y);
}

// The centre of a digit or match cell.
QPoint Centre(const TAnswerControl &tool, int column, int row)
{
    for (const TAnswerControl::TCell &cell : tool.OptionCells())
        if (cell.column == column && cell.row == row)
            return QPoint(int(cell.x + cell.s / 2), int(cell.y + cell.s / 2));
    return QPoint(-1000, -1000);
}

} // namespace

class TestAnswerControl : public QObject
{
    Q_OBJECT

private slots:
    // Keys answer as the mouse does: each key becomes presses on cells, under the mouse rules.
    // A key is written as its Qt key code and text, "key:text"; a plain character stands for
    // itself.
    void keyboardAnswering_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("answer");
        const QString classic = "#", digits = "(######)", match = "[#####][#####][#####]";
        QTest::newRow("letter") << classic << QStringList{"C"} << "C";
        QTest::newRow("digit for a letter") << classic << QStringList{"4"} << "D";
        QTest::newRow("the same letter again takes it back") << classic << QStringList{"C", "C"} << "#";
        QTest::newRow("another letter replaces it") << classic << QStringList{"C", "A"} << "A";
        QTest::newRow("Cyrillic layout: the key of C") << classic << QStringList{"cyr:с"} << "C";
        QTest::newRow("Delete clears") << classic << QStringList{"B", "del"} << "#";
        QTest::newRow("a letter beyond E means nothing") << classic << QStringList{"F"} << "#";
        QTest::newRow("digits fill from the left") << digits << QStringList{"1", ".", "5"} << "(1.5###)";
        QTest::newRow("one point at most") << digits << QStringList{"1", ".", ".", "2"} << "(1.2###)";
        QTest::newRow("a minus first") << digits << QStringList{"-", "7"} << "(-7####)";
        QTest::newRow("six columns at most") << digits << QStringList{"1", "2", "3", "4", "5", "6", "7"} << "(123456)";
        QTest::newRow("Backspace takes the last back") << digits << QStringList{"1", "2", "back", "3"} << "(13####)";
        QTest::newRow("Backspace on nothing") << digits << QStringList{"back"} << "(######)";
        QTest::newRow("Delete clears digits") << digits << QStringList{"9", "8", "del"} << "(######)";
        QTest::newRow("groups by number") << match << QStringList{"A", "2", "B", "3", "C"} << "[A####][#B###][##C##]";
        QTest::newRow("groups by Tab") << match << QStringList{"tab", "E", "tab", "tab", "D"} << "[###D#][####E][#####]";
        QTest::newRow("a letter again takes it back") << match << QStringList{"A", "B", "A"} << "[#B###][#####][#####]";
        QTest::newRow("Delete clears all groups") << match << QStringList{"A", "2", "E", "del"} << "[#####][#####][#####]";
    }

    void keyboardAnswering()
    {
        QFETCH(QString, format);
        QFETCH(QStringList, keys);
        QFETCH(QString, answer);
        TAnswerControl tool(nullptr, format, format, 400, 900, {10, 10, 390, 890});
        TAnswerKeys answerKeys;
        for (const QString &key : keys) {
            int code = 0;
            QString text = key;
            if (key == "del")
                code = Qt::Key_Delete, text.clear();
            else if (key == "back")
                code = Qt::Key_Backspace, text.clear();
            else if (key == "tab")
                code = Qt::Key_Tab, text.clear();
            else if (key.startsWith("cyr:"))
                code = 0x0421, text = key.mid(4); // what a Cyrillic layout reports
            else if (key.at(0).isLetter())
                code = Qt::Key_A + (key.at(0).unicode() - 'A');
            else
                code = key.at(0).unicode();
            const QKeyEvent event(QEvent::KeyPress, code, Qt::NoModifier, text);
            std::vector<TAnswerControl::TCell> presses;
            const bool handled = answerKeys.Handle(tool, event, presses);
            QCOMPARE(handled, key != "F");
            for (const TAnswerControl::TCell &cell : presses)
                Click(tool, int(cell.x + cell.s / 2), int(cell.y + cell.s / 2));
        }
        QCOMPARE(tool.Answer(), answer);
    }

    // Zooming keeps the picture's aspect and the point under the pointer; zooming back out ends
    // at the designed fit; 100 % shows picture pixels one to one.
    void pictureZoom()
    {
        const QSizeF picture(1000, 600), box(800, 500);
        TPictureZoom zoom;
        const QRectF fit = zoom.Target(picture, box);
        QCOMPARE(fit, QRectF(80, 58, 640, 384)); // 80 % of the width, centred
        const QPointF anchor(300, 200);
        const auto pictureAt = [&](QPointF screen) {
            const QRectF target = zoom.Target(picture, box);
            return QPointF((screen.x() - target.x()) / target.width() * picture.width(),
                           (screen.y() - target.y()) / target.height() * picture.height());
        };
        const QPointF under = pictureAt(anchor);
        for (int step = 0; step < 5; ++step) {
            zoom.ZoomBy(1.25, anchor, picture, box);
            const QRectF target = zoom.Target(picture, box);
            QVERIFY(qFuzzyCompare(target.width() / target.height(), picture.width() / picture.height()));
            QVERIFY((pictureAt(anchor) - under).manhattanLength() < 1e-6);
        }
        QVERIFY(!zoom.IsFit());
        const QPointF before = zoom.Target(picture, box).topLeft();
        zoom.PanBy(QPointF(40, -10)); // dragged with the pointer
        QVERIFY((zoom.Target(picture, box).topLeft() - before - QPointF(40, -10)).manhattanLength() < 1e-6);
        for (int step = 0; step < 6; ++step)
            zoom.ZoomBy(0.8, anchor, picture, box);
        QVERIFY(zoom.IsFit());
        QCOMPARE(zoom.Target(picture, box), fit);

        zoom.ToggleActualSize(QPointF(400, 250), picture, box);
        QCOMPARE(zoom.Target(picture, box).size(), picture);
        QCOMPARE(zoom.Target(picture, box).center(), QPointF(400, 250)); // the box centre stays the picture's
        zoom.ToggleActualSize(QPointF(400, 250), picture, box);
        QVERIFY(zoom.IsFit());
        for (int step = 0; step < 40; ++step)
            zoom.ZoomBy(2, anchor, picture, box);
        QCOMPARE(zoom.Target(picture, box).width(), picture.width() * TPictureZoom::MaxScale);
    }

    void cellGeometry_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<float>("side");
        QTest::addColumn<float>("firstLeft");
        QTest::addColumn<float>("firstTop");
        // width and height of the paint box; the area is inset by 10 on each side
        QTest::newRow("classic, wide: side from the height") << QString("#") << 620 << 220 << 40.0f << 290.0f << 10.0f;
        QTest::newRow("classic, narrow: side from the width") << QString("#") << 60 << 520 << 40.0f << 10.0f << 10.0f;
        QTest::newRow("digits") << QString("(######)") << 400 << 900 << 63.333332f << 10.0f << 10.0f + 63.333332f;
        QTest::newRow("digits, tall") << QString("(######)") << 380 << 2000 << 60.0f << 10.0f << 70.0f;
        QTest::newRow("match") << QString("[#####][#####][#####]") << 320 << 620 << 100.0f << 10.0f << 110.0f;
    }

    void cellGeometry()
    {
        QFETCH(QString, format);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(float, side);
        QFETCH(float, firstLeft);
        QFETCH(float, firstTop);
        TAnswerControl tool(nullptr, format, format, width, height, {10, 10, width - 10, height - 10});
        QCOMPARE(tool.CellSide(), side);
        const TAnswerControl::TCell first = tool.OptionCells().front();
        QCOMPARE(first.x, firstLeft);
        QCOMPARE(first.y, firstTop);
    }

    void hitTest_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QString>("mask");
        QTest::newRow("centre of A") << 50 << 50 << QString("A");
        QTest::newRow("centre of E") << 50 << 370 << QString("E");
        QTest::newRow("exactly on the right edge of C") << 82 << 210 << QString("C");
        QTest::newRow("exactly on the top edge of B") << 50 << 98 << QString("B");
        QTest::newRow("one pixel outside C") << 83 << 210 << QString("#");
        QTest::newRow("corner of the cell of A") << 12 << 12 << QString("#");
        QTest::newRow("between B and C") << 20 << 170 << QString("#");
        QTest::newRow("below the column") << 50 << 460 << QString("#");
    }

    void hitTest()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QString, mask);
        TAnswerControl tool = Classic();
        tool.Move(x, y);
        QCOMPARE(tool.Mask(), mask);
    }

    void classicAnswers()
    {
        TAnswerControl tool = Classic();
        Click(tool, 50, 210);
        QCOMPARE(tool.Answer(), QString("C"));
        Click(tool, 50, 210);
        QCOMPARE(tool.Answer(), QString("#")); // the chosen letter again clears it
        Click(tool, 50, 130);
        Click(tool, 15, 480);
        QCOMPARE(tool.Answer(), QString("#")); // a click off every letter clears it

        // A release without a press (another mouse button) still commits.
        tool.Move(50, 290);
        tool.Up(50, 290);
        QCOMPARE(tool.Answer(), QString("D"));
        QCOMPARE(tool.DownValue(), QPoint(-1, -1));
    }

    void pressMarksTheCellUnderTheMask()
    {
        TAnswerControl tool = Classic();
        tool.Move(50, 210);
        tool.Down(50, 210);
        QCOMPARE(tool.DownValue(), QPoint(-1, 2));
        tool.Up(50, 210);
        QCOMPARE(tool.DownValue(), QPoint(-1, -1));
    }

    void digitAnswers()
    {
        TAnswerControl tool(nullptr, "(######)", "(######)", 400, 900, {10, 10, 390, 890});
        auto clickCell = [&](int column, int row) {
            const QPoint p = Centre(tool, column, row);
            Click(tool, p.x(), p.y());
        };
        clickCell(0, 1); // "1"
        clickCell(2, 5); // "5"
        QCOMPARE(tool.Answer(), QString("(1#5###)"));

        clickCell(1, 10); // "." in column 1
        QCOMPARE(tool.Answer(), QString("(1.5###)"));
        clickCell(3, 10); // a second "." changes nothing
        QCOMPARE(tool.Answer(), QString("(1.5###)"));
        clickCell(1, 10); // the same "." again empties column 1
        QCOMPARE(tool.Answer(), QString("(1#5###)"));

        clickCell(4, 11); // "-"
        clickCell(5, 11); // a second "-" changes nothing
        QCOMPARE(tool.Answer(), QString("(1#5#-#)"));

        // Press in one row, drag to another row of the same column, release: that row's symbol.
        QPoint from = Centre(tool, 3, 2), to = Centre(tool, 3, 7);
        tool.Move(from.x(), from.y());
        tool.Down(from.x(), from.y());
        tool.Move(to.x(), to.y());
        tool.Up(to.x(), to.y());
        QCOMPARE(tool.Answer(), QString("(1#57-#)"));

        // Dragging out of the column empties it.
        from = Centre(tool, 3, 2);
        tool.Move(from.x(), from.y());
        tool.Down(from.x(), from.y());
        tool.Move(2, 2);
        tool.Up(2, 2);
        QCOMPARE(tool.Answer(), QString("(1#5#-#)"));

        // A release with no press changes nothing.
        from = Centre(tool, 1, 3);
        tool.Move(from.x(), from.y());
        tool.Up(from.x(), from.y());
        QCOMPARE(tool.Answer(), QString("(1#5#-#)"));
    }

    void matchAnswers()
    {
        TAnswerControl tool(nullptr, "[#####][#####][#####]", "[#####][#####][#####]", 320, 620, {10, 10, 310, 610});
        auto clickCell = [&](int group, int row) {
            const QPoint p = Centre(tool, group, row);
            Click(tool, p.x(), p.y());
        };
        clickCell(0, 0);
        clickCell(0, 2);
        clickCell(2, 1);
        QCOMPARE(tool.Answer(), QString("[A#C##][#####][#B###]"));
        clickCell(0, 0);
        QCOMPARE(tool.Answer(), QString("[##C##][#####][#B###]"));

        // Releasing elsewhere than the pressed cell clears that cell.
        const QPoint p = Centre(tool, 0, 2);
        tool.Move(p.x(), p.y());
        tool.Down(p.x(), p.y());
        tool.Move(1, 1);
        tool.Up(1, 1);
        QCOMPARE(tool.Answer(), QString("[#####][#####][#B###]"));
    }

    void invalidFormats()
    {
        QVERIFY_THROWS_EXCEPTION(TTavelkoError, TAnswerControl(nullptr, "ABC", "ABC", 100, 100, {10, 10, 90, 90}));

        TAnswerControl tool = Classic();
        QVERIFY_THROWS_EXCEPTION(TTavelkoError, tool.ChangeParams(nullptr, "ABC", "ABC", 100, 500, {10, 10, 90, 490}));
        QCOMPARE(tool.ControlType(), actNone);
        Click(tool, 50, 50);
        QCOMPARE(tool.Answer(), QString("ABC")); // a blank tool ignores the mouse
        tool.Draw();
        QCOMPARE(tool.Image().pixelColor(50, 50), QColor(Qt::white));

        tool.ChangeParams(nullptr, "#", "#", 100, 500, {10, 10, 90, 490});
        Click(tool, 50, 50);
        QCOMPARE(tool.Answer(), QString("A"));

        try {
            tool.SetFormat("(#####)");
            QFAIL("no failure");
        } catch (const TTavelkoError &error) {
            QCOMPARE(error.Message(), QString("Invalid format"));
        }
        QCOMPARE(tool.ControlType(), actNone);
        QCOMPARE(tool.Format(), QString("#"));
    }

    void discsShowHoverChoiceAndPress()
    {
        TPaintBox box;
        TAnswerControl tool = Classic(&box);
        Click(tool, 50, 210); // C chosen
        tool.Move(50, 130);    // hovering B
        const QImage &image = tool.Image();
        // A point inside the disc but clear of its letter.
        QCOMPARE(image.pixelColor(50 - 25, 210), QColor(Qt::black));
        QCOMPARE(image.pixelColor(50 - 25, 130), QColor(0x80, 0x80, 0x80));
        QCOMPARE(image.pixelColor(50 - 25, 50), QColor(Qt::white));
        QCOMPARE(box.Presented(), image); // what is drawn is what the box shows

        // Pressed, the disc shrinks: its former rim turns white.
        tool.Down(50, 130);
        QCOMPARE(tool.Image().pixelColor(50 - 30, 130), QColor(Qt::white));
        QCOMPARE(tool.Image().pixelColor(50 - 25, 130), QColor(0x80, 0x80, 0x80));
    }

    void digitHeaderShowsTheAnswer()
    {
        TAnswerControl tool(nullptr, "(######)", "(1#5###)", 400, 900, {10, 10, 390, 890});
        tool.Draw();
        const float s = tool.CellSide();
        const QImage &image = tool.Image();
        auto inkIn = [&](int column) {
            int dark = 0;
            const int left = int(10 + column * s + 0.3 * s), top = int(10 + 0.3 * s);
            for (int y = top; y < top + int(0.4 * s); ++y)
                for (int x = left; x < left + int(0.4 * s); ++x)
                    dark += qGray(image.pixel(x, y)) < 128;
            return dark;
        };
        QVERIFY(inkIn(0) > 0);
        QCOMPARE(inkIn(1), 0); // an empty column shows a blank header
        QVERIFY(inkIn(2) > 0);
    }

    void resizeKeepsTheCache()
    {
        TAnswerControl tool = Classic();
        tool.Draw();
        const qint64 first = tool.Image().cacheKey();
        tool.Move(1, 1); // nothing under the pointer, as before
        QCOMPARE(tool.Image().cacheKey(), first); // unchanged state is not rendered again
        tool.SetWidth(200);
        QVERIFY(tool.Image().cacheKey() != first);
        QCOMPARE(tool.Image().width(), 200);
    }

    // On a scaled screen (the desktop's text scale becomes Qt's pixel ratio) the sheet is drawn
    // at the screen's density, at the same place and size, and again when the ratio changes.
    void drawnAtTheScreensPixelRatio()
    {
        struct TScaledCanvas : TCanvas
        {
            qreal ratio = 1.25;
            QImage shown;
            void Present(const QImage &image) override { shown = image; }
            qreal PixelRatio() const override { return ratio; }
        } canvas;
        TAnswerControl tool = Classic(&canvas);
        tool.Draw();
        QCOMPARE(canvas.shown.size(), QSize(125, 625));
        QCOMPARE(canvas.shown.deviceIndependentSize(), QSizeF(100, 500));
        // The cells sit where the mouse finds them, whatever the ratio: as much ink in a cell.
        const TAnswerControl::TCell b = tool.OptionCells().at(1);
        auto inkShare = [&](qreal ratio) {
            int ink = 0, all = 0;
            for (int y = int(b.y * ratio); y < int((b.y + b.s) * ratio); ++y)
                for (int x = int(b.x * ratio); x < int((b.x + b.s) * ratio); ++x, ++all)
                    ink += canvas.shown.pixelColor(x, y) != QColor(Qt::white);
            return double(ink) / all;
        };
        const double atOne = inkShare(1.25);
        canvas.ratio = 2;
        tool.Draw();
        QCOMPARE(canvas.shown.size(), QSize(200, 1000));
        QVERIFY(atOne > 0.05);
        QVERIFY(qAbs(inkShare(2) - atOne) < 0.5 * atOne);
    }
};

QTEST_MAIN(TestAnswerControl)
#include "test_answer_control.moc"
