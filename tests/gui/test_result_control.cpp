#include "ServerEnv.h"
#include "UnitComplain.h"
#include "UnitDataModule.h"
#include "UnitExamModel.h"
#include "UnitMessageBox.h"
#include "UnitPaintBox.h"
#include "UnitResultControl.h"
#include "UnitSqlConnection.h"
#include "UnitTranslate.h"

#include <QBuffer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

namespace {

TPredmetPart &AddPart(TExamPredmet &predmet, const QString &format, const QString &answers, const QString &given)
{
    auto part = std::make_unique<TPredmetPart>(format, 1, 1, true, 4, 1.0);
    part->Answer = answers;
    part->UserAnswer = given;
    predmet.Parts.push_back(std::move(part));
    return *predmet.Parts.back();
}

TExamPredmet &AddPredmet(TExamModel &model, const QString &name)
{
    model.Predmets.push_back(std::make_unique<TExamPredmet>(name, 1, 1, false));
    return *model.Predmets.back();
}

QByteArray Png(int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QStringList StoredComplaints()
{
    TSqlConnection connection(TServerConfig::Load());
    connection.Open();
    TSqlStatement query(connection, "SELECT CONCAT(QID, '|', Prelvinr_id, '|', MESSAGE) FROM e_messages ORDER BY Id");
    query.Execute();
    QStringList rows;
    while (query.Next())
        rows.append(query.Text(0));
    return rows;
}

} // namespace

class TestResultControl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(LoadServerEnvironment(), "the servers fixture must run first");
        TMessageBox::SetTestMode(true);
    }

    void init()
    {
        SetCurrentLanguageIndex(langEnglish);
        TMessageBox::SetTestMode(true);
    }

    void layoutOfOneSubject()
    {
        TExamModel model("", 0, 0);
        AddPart(AddPredmet(model, "P"), "#", "ABC", "A#D");
        TResultControl list(nullptr, &model, 760, 30, 30);
        QVERIFY2(model.Finished, "finished as soon as the list exists");
        const TResultControl::TLayout &layout = list.Layout();
        QCOMPARE(layout.heading, QPointF(30, 30));
        QCOMPARE(layout.lines, QList<qreal>({78, 150}));
        QCOMPARE(layout.titles, QList<QPointF>({QPointF(30, 114)}));
        QCOMPARE(layout.columns.size(), 3);
        QCOMPARE(layout.columns[0].centre, QPointF(30, 186));
        QCOMPARE(layout.columns[1].centre, QPointF(66, 186));
        QCOMPARE(list.Height(), 346);
        QCOMPARE(layout.columns[0].mark, TResultControl::mkRight);
        QCOMPARE(layout.columns[1].mark, TResultControl::mkBlank);
        QCOMPARE(layout.columns[2].mark, TResultControl::mkWrong);
    }

    void classicColumnsWrapAfterTheEighteenth()
    {
        TExamModel model("", 0, 0);
        AddPart(AddPredmet(model, "P"), "#", QString(20, 'A'), QString(20, '#'));
        TResultControl list(nullptr, &model, 760, 30, 30);
        const auto &columns = list.Layout().columns;
        for (int i = 0; i < 18; ++i)
            QCOMPARE(columns[i].centre, QPointF(30 + 36 * i, 186));
        QCOMPARE(columns[17].centre.x(), 642.0);
        QCOMPARE(columns[18].centre, QPointF(30, 186 + 160));
        QCOMPARE(list.Height(), 186 + 160 + 160);
    }

    void columnTextsAndWidths()
    {
        TExamModel model("", 0, 0);
        TExamPredmet &predmet = AddPredmet(model, "P");
        AddPart(predmet, "(######)", "(12.5##)", "(12###.)");
        AddPart(predmet, "[#####][#####][#####]", "[A####][#B###][##C##]", "[#####][#####][#####]");
        TResultControl list(nullptr, &model, 760, 30, 30);
        const auto &columns = list.Layout().columns;
        QCOMPARE(columns[0].correct, QString("(12.5)"));
        QCOMPARE(columns[0].given, QString("(12.)"));
        QCOMPARE(columns[0].width, 108.0);
        QCOMPARE(columns[0].mark, TResultControl::mkWrong);
        QCOMPARE(columns[1].given, QString("[][][]"));
        QCOMPARE(columns[1].mark, TResultControl::mkBlank);
        QCOMPARE(columns[1].centre.x(), 30.0 + 108);

        list.Draw();
        // Red text in the wrong column, black outlines.
        const QImage &image = list.Image();
        bool red = false;
        for (int y = 186 + 36 - 12; y < 186 + 36 + 12; ++y)
            for (int x = 30 - 18; x < 30 - 18 + 108; ++x)
                red = red || image.pixelColor(x, y) == QColor(0xFF, 0, 0);
        QVERIFY(red);
        QCOMPARE(image.pixelColor(30 - 18, 200), QColor(Qt::black));
    }

    // In a scroll box the list paints only what is exposed, pixel for pixel as the whole list
    // drawn at once, and a hovered column repaints only itself.
    void aScrolledListPaintsOnlyWhatShows()
    {
        TExamModel model("", 0, 0);
        for (int subject = 0; subject < 4; ++subject)
            AddPart(AddPredmet(model, QStringLiteral("Subject %1").arg(subject)), "#", QString("ABCDE").repeated(25),
                    QString("AC#DE").repeated(25));
        TResultControl whole(nullptr, &model, 760, 30, 30);
        whole.SetHotIndex(130);
        whole.Render();

        QScrollArea scroll;
        scroll.resize(760 + scroll.verticalScrollBar()->sizeHint().width(), 400);
        scroll.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        auto *box = new TPaintBox;
        TResultControl list(box, &model, 760, 30, 30);
        int repaints = 0;
        QRect repainted;
        list.OnInvalidate = [&](const QRect &area) {
            ++repaints;
            repainted |= area;
            box->update(area);
        };
        box->OnPaintArea = [&](QPainter &painter, const QRect &exposed) { list.Paint(painter, exposed); };
        box->resize(760, list.Height());
        scroll.setWidget(box);
        scroll.show();
        QVERIFY(QTest::qWaitForWindowExposed(&scroll));
        scroll.verticalScrollBar()->setValue(list.Height() / 2);
        list.SetHotIndex(130);
        QCOMPARE(repaints, 1);
        QVERIFY(repainted.height() <= 4 * 36 + 4); // the one column
        QApplication::processEvents();
        const QImage shown = scroll.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage expected = whole.Image().copy(0, list.Height() / 2, shown.width(), shown.height());
        QCOMPARE(shown, expected);
        QVERIFY(list.Image().isNull()); // no surface of the list's own
    }

    void hoverUsesInclusiveBounds()
    {
        TExamModel model("", 0, 0);
        AddPart(AddPredmet(model, "P"), "#", "ABC", "###");
        TPaintBox box;
        TResultControl list(&box, &model, 760, 30, 30);
        list.Move(66, 186 + 126); // the bottom of the second column
        QCOMPARE(list.HotIndex(), 2);
        list.Move(66 - 18, 186); // shared by the first's right and the second's left edge: the first wins
        QCOMPARE(list.HotIndex(), 1);
        list.Move(30 - 18, 186 - 18);
        QCOMPARE(list.HotIndex(), 1);
        list.Move(30 - 19, 186);
        QCOMPARE(list.HotIndex(), 0);
        list.Move(66, 186 + 127);
        QCOMPARE(list.HotIndex(), 0);
        QCOMPARE(box.Presented().height(), 346);
    }

    void complaintGoesToTheQuestionBankExactly()
    {
        {
            TSqlConnection connection(TServerConfig::Load());
            connection.Open();
            TSqlStatement(connection, "DELETE FROM e_messages").Execute();
        }
        TExamModel model("", 0, 0);
        AddPart(AddPredmet(model, "Fizika"), "#", "AB", "C#");
        model.IDS.insert(5000000001LL, 0);
        model.IDS.insert(77, 1);
        model.images = {Png(40, 20, Qt::red), Png(40, 20, Qt::blue)};
        TDataModuleMain bank;
        bank.fPrelvinr_id = 42;
        TResultControl list(nullptr, &model, 760, 30, 30, &bank);

        const QString hostile = QString::fromUtf8("it's \\'); DROP TABLE e_messages; --\nşəkil 😀 ") + QString(300, 'x');
        QString info;
        const QByteArray *shown = nullptr;
        list.ShowComplaint = [&](TFormComplain &dialog) {
            info = dialog.LabelInfo->text();
            dialog.MemoComplain->setPlainText(hostile);
            TMessageBox::SetNextAnswer(TMessageBox::Yes);
            dialog.ButtonSend->click();
            return dialog.result();
        };
        Q_UNUSED(shown);

        // Press on the first column, release over the second: the pressed one counts.
        list.Move(30, 186);
        list.Down(30, 186);
        list.Move(66, 186);
        list.Up(66, 186);
        QCOMPARE(list.DownIndex(), -1);
        QCOMPARE(info, QString("Correct answer: A; Your answer: C"));
        QCOMPARE(StoredComplaints(), QStringList({"5000000001|42|" + hostile}));
        QCOMPARE(TMessageBox::History().last(), Tr(35));

        // Cancel stores nothing.
        list.ShowComplaint = [](TFormComplain &dialog) {
            dialog.ButtonCancel->click();
            return dialog.result();
        };
        list.Move(66, 186);
        list.Down(66, 186);
        list.Up(66, 186);
        QCOMPARE(StoredComplaints().size(), 1);

        // A press where no column is opens nothing.
        bool opened = false;
        list.ShowComplaint = [&](TFormComplain &) { opened = true; return int(QDialog::Accepted); };
        list.Move(700, 30);
        list.Down(700, 30);
        list.Up(700, 30);
        QVERIFY(!opened);
        QCOMPARE(list.DownIndex(), -1);
    }

    // A complaint that could not be sent keeps its text: the dialog opens again with it.
    void aComplaintThatFailsToSendKeepsItsText()
    {
        TExamModel model("", 0, 0);
        AddPart(AddPredmet(model, "Fizika"), "#", "AB", "C#");
        model.IDS.insert(9, 0);
        model.IDS.insert(10, 1);
        TServerConfig down = TServerConfig::Load();
        down.DbPort = 1; // nothing listens there
        TDataModuleMain bank(down);
        TResultControl list(nullptr, &model, 760, 30, 30, &bank);
        QStringList shownTexts;
        list.ShowComplaint = [&](TFormComplain &dialog) {
            shownTexts << dialog.MemoComplain->toPlainText();
            if (shownTexts.size() == 1) {
                dialog.MemoComplain->setPlainText("the answer key is wrong");
                return int(QDialog::Accepted); // Send, with no connection
            }
            return int(QDialog::Rejected); // the learner gives up after reading it again
        };
        list.Move(30, 186);
        list.Down(30, 186);
        list.Up(30, 186);
        QCOMPARE(shownTexts, QStringList({"", "the answer key is wrong"}));
        QCOMPARE(TMessageBox::History().size(), 1); // why it failed
        QVERIFY(TMessageBox::History().first() != Tr(35));
    }

    void dialogPictureAndButtons()
    {
        QCOMPARE(TFormComplain::PictureRect({1000, 500}, {1000, 1000}), QRect(100, 300, 800, 400));
        QCOMPARE(TFormComplain::PictureRect({100, 50}, {1000, 1000}), QRect(100, 300, 800, 400)); // small pictures grow
        QCOMPARE(TFormComplain::PictureRect({1000, 600}, {500, 1000}), QRect(50, 380, 400, 240));

        SetCurrentLanguageIndex(langRussian);
        const QByteArray picture = Png(1000, 500, Qt::blue);
        TFormComplain dialog;
        Translate(&dialog);
        QCOMPARE(dialog.windowTitle(), TrIn(30, langRussian));
        QCOMPARE(dialog.ButtonSend->text(), TrIn(31, langRussian));
        dialog.SetPicture(&picture);
        dialog.resize(1000, 1000 + 62 + 92);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.PaintBoxQuestion->repaint();
        const QImage shown = dialog.PaintBoxQuestion->Presented();
        QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::blue));
        QCOMPARE(shown.pixelColor(5, 5), QColor(Qt::white));

        dialog.MemoComplain->setPlainText("line one\nline two");
        TMessageBox::SetNextAnswer(TMessageBox::No);
        dialog.ButtonSend->click();
        QVERIFY2(dialog.isVisible(), "No keeps the dialog open");
        QCOMPARE(dialog.Message(), QString("line one\nline two"));
        QCOMPARE(TMessageBox::History().last(), TrIn(34, langRussian));
        dialog.close();
        QCOMPARE(dialog.result(), int(QDialog::Rejected)); // closing is Cancel
    }
};

QTEST_MAIN(TestResultControl)
#include "test_result_control.moc"
