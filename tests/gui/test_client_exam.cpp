// Taking an exam, its result, and exam files, against the real local servers.

#include "ClientFixture.h"
#include "UnitActivityIndicator.h"
#include "UnitAnswerControl.h"
#include "UnitExamModel.h"
#include "UnitExamNavigator.h"
#include "UnitHistory.h"
#include "UnitLearnerData.h"
#include "UnitLearnerPages.h"
#include "UnitProgressPage.h"
#include "UnitReviewPage.h"
#include "UnitExamRecovery.h"
#include "UnitMain.h"
#include "UnitMessageBox.h"
#include "UnitOpenExamOption.h"
#include "UnitPaintBox.h"
#include "UnitQuestionPicture.h"
#include "UnitRecoveryDialog.h"
#include "UnitRegistry.h"
#include "UnitReopenManager.h"
#include "UnitResultControl.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QChartView>
#include <QListWidget>
#include <QProcess>
#include <QXYSeries>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

class TestClientExam : public QObject
{
    Q_OBJECT

    QTemporaryDir fSettings;
    QTemporaryDir fFiles;
    QTemporaryDir fData; // the learner's data folder, with the recovery copy

    std::unique_ptr<TFormMain> NewWindow(const QStringList &args = {})
    {
        auto window = std::make_unique<TFormMain>(args);
        window->OnTerminate = [] {};
        window->Recovery->ShowOffer = [](TFormRecovery &) { return int(TFormRecovery::roDiscard); };
        window->resize(1280, 800);
        window->show();
        return window;
    }

    static void WaitForFinish(TFormMain &window)
    {
        QTRY_COMPARE_WITH_TIMEOUT(window.fDownloadMode, dmFinish, 15000);
    }

    // New exam with the "Small" model, all topics, assembled and started.
    static void StartExam(TFormMain &window)
    {
        if (window.fDownloadMode == dmFinish)
            TMessageBox::SetNextAnswer(TMessageBox::Yes); // yes, a new exam
        window.ActionNewExecute();
        WaitForFinish(window);
        qobject_cast<QPushButton *>(window.BG_ExamModelsLayout->itemAt(0)->widget())->click();
        WaitForFinish(window);
        window.ButtonCreate->click();
        WaitForFinish(window);
        QVERIFY(window.ButtonStart->isVisibleTo(&window));
        window.ButtonStart->click();
        QCOMPARE(window.CurrentCard(), TFormMain::CardExam);
    }

    // Enters an answer for the question on screen the way a learner does: clicks on the tool.
    static void Answer(TFormMain &window, const QString &answer)
    {
        const QString format = window.AnswerControl->Format();
        auto click = [&](int column, int row) {
            for (const TAnswerControl::TCell &cell : window.AnswerControl->OptionCells()) {
                if (cell.column == column && cell.row == row) {
                    const QPoint at(int(cell.x + cell.s / 2), int(cell.y + cell.s / 2));
                    QTest::mousePress(window.AnswerTool, Qt::LeftButton, {}, at);
                    QTest::mouseRelease(window.AnswerTool, Qt::LeftButton, {}, at);
                    return;
                }
            }
            QFAIL("no such cell");
        };
        static const QString digits = QStringLiteral("0123456789.-");
        if (format == FormatClassic) {
            click(-1, answer.at(0).unicode() - 'A');
        } else if (format == FormatDigits) {
            for (int c = 0; c < 6; ++c)
                if (answer.at(c + 1) != u'#')
                    click(c, int(digits.indexOf(answer.at(c + 1))));
        } else {
            for (int g = 0; g < 3; ++g)
                for (int r = 0; r < 5; ++r)
                    if (answer.at(7 * g + 1 + r) != u'#')
                        click(g, r);
        }
    }

    static QString Correct(TFormMain &window)
    {
        return window.ExamModel->GetQuestion(window.fSelectedQuestionIndex).Answer;
    }

    QString FilePath(const QString &name) const { return fFiles.filePath(name); }

    // With TAVELKO_SCREENSHOTS naming a folder, keeps a picture of what the learner sees.
    static void Snapshot(QWidget *widget, const QString &name)
    {
        const QString folder = qEnvironmentVariable("TAVELKO_SCREENSHOTS");
        if (!folder.isEmpty() && QDir().mkpath(folder))
            widget->grab().save(QDir(folder).filePath(name + ".png"));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(LoadServerEnvironment(), "the servers fixture must run first");
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, fSettings.path());
        qputenv("XDG_DATA_HOME", fData.path().toLocal8Bit());
        ClientFixture::Install();
    }

    void init()
    {
        TRecoveryStore().Remove();
        TMessageBox::SetTestMode(true);
        TTavelkoRegistry().SetLanguageIndex(langEnglish);
        TTavelkoRegistry().SetReopenList({});
    }

    void theWholeRoadOfOneExam()
    {
        auto window = NewWindow();
        StartExam(*window);
        TExamModel *exam = window->ExamModel.get();
        QCOMPARE(window->LabelQuestionInfo->text(), QString("Subject: \"Algebra\", question number: 1"));
        QCOMPARE(window->LabelTime->text(), QString("03:00:00"));
        QCOMPARE(window->fSelectedQuestionIndex, 0);

        // Question 1 right, question 2 wrong, the three-group question (5) right, the first digit
        // question (11) right; the others blank.
        Answer(*window, Correct(*window));
        window->ButtonNextClick();
        const QString correct2 = Correct(*window);
        Answer(*window, correct2 == "A" ? "B" : "A");
        QCOMPARE(window->VST_TreeExam->currentItem()->text(0), QString("2"));
        for (int i = 0; i < 3; ++i)
            window->ButtonNextClick();
        QCOMPARE(window->AnswerControl->Format(), FormatMatch);
        Answer(*window, Correct(*window));
        Snapshot(window.get(), "exam-page-match");
        while (window->fSelectedQuestionIndex < 10)
            window->ButtonNextClick();
        QCOMPARE(window->AnswerControl->Format(), FormatDigits);
        Answer(*window, Correct(*window));
        Snapshot(window.get(), "exam-page-digits");
        QCOMPARE(exam->GetQuestion(10).UserAnswer, exam->GetQuestion(10).Answer);
        QCOMPARE(exam->UnUnsweredCount(), 12 - 4);

        // A few seconds pass; the exam is saved under a new name in the middle.
        for (int tick = 0; tick < 5; ++tick)
            window->TimerExamTimer();
        QCOMPARE(window->LabelTime->text(), QString("02:59:55"));
        const QList<qint64> ids = exam->IDS.keys();
        TFileDialog::SetNextFileName(FilePath("road"));
        window->ActionSaveExecute();
        const QString saved = FilePath("road.qmvx");
        QVERIFY(QFileInfo::exists(saved));
        QCOMPARE(window->windowTitle(), "Tavelko 1.0 { " + saved + " }");
        QCOMPARE(window->CurrentCard(), TFormMain::CardStart);
        QVERIFY(!window->ExamModel);
        QCOMPARE(window->ReopenManager->GetItem(0), saved);

        // Open it again and continue where it stood.
        int offered = -1;
        window->ShowOpenExamOption = [&](TFormOpenExamOption &dialog) {
            Snapshot(&dialog, "open-exam-options");
            offered = dialog.ValueList->rowCount();
            EXPECT_ROWS(dialog);
            return int(TFormOpenExamOption::ooContinue);
        };
        window->OpenExamFile(saved);
        WaitForFinish(*window);
        QCOMPARE(offered, 6);
        exam = window->ExamModel.get();
        QCOMPARE(exam->RestTime, 10795);
        QCOMPARE(exam->CreatedDeviceGUID, TTavelkoRegistry().GetGUID());
        window->ButtonStart->click();
        QCOMPARE(window->fSelectedQuestionIndex, 10);
        QCOMPARE(window->LabelTime->text(), QString("02:59:55"));
        QCOMPARE(window->AnswerControl->Answer(), NormalizeAnswer(FormatDigits, exam->GetQuestion(10).Answer));

        // Finish: the four blank answers are counted in the question.
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        window->ButtonFinishClick();
        QCOMPARE(TMessageBox::History().last(), QString("There are 8 unanswered questions! Shall we finish the exam?"));
        QCOMPARE(window->CurrentCard(), TFormMain::CardResult);
        QVERIFY(exam->Finished);
        const TTotalResult total = exam->TotalResult();
        QCOMPARE(total.Correct, 3);
        QCOMPARE(total.InCorrect, 1);
        QCOMPARE(total.Unanswered, 8);
        QCOMPARE(window->LabelResultInfo->text(), QString("Exam: Small; Duration: 03:00:00; Remaining time: 02:59:55"));
        int right = 0, wrong = 0;
        for (const TResultControl::TColumn &column : window->ResultControl->Layout().columns) {
            right += column.mark == TResultControl::mkRight;
            wrong += column.mark == TResultControl::mkWrong;
        }
        QCOMPARE(right, total.Correct);
        QCOMPARE(wrong, total.InCorrect);
        QCOMPARE(window->PaintBoxResult->height(), window->ResultControl->Height());
        Snapshot(window.get(), "result-page");

        // Retake: same questions, no answers, full time, back at the last question.
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        window->ButtonReExamClick();
        QCOMPARE(window->CurrentCard(), TFormMain::CardBuildExam);
        QVERIFY(!window->ResultControl);
        QCOMPARE(exam->UnUnsweredCount(), 12);
        QCOMPARE(exam->IDS.keys(), ids);
        QVERIFY(!exam->Finished);
        window->ButtonStart->click();
        QCOMPARE(window->LabelTime->text(), QString("03:00:00"));
        QCOMPARE(window->fSelectedQuestionIndex, 10);
    }

    void treeIconsFollowTheAnswer()
    {
        auto window = NewWindow();
        StartExam(*window);
        QTreeWidgetItem *node = window->VST_TreeExam->currentItem();
        const qint64 blank = node->icon(0).cacheKey();
        Answer(*window, "C");
        QVERIFY(node->icon(0).cacheKey() != blank);
        Answer(*window, "C"); // clicking the chosen letter again clears it
        QCOMPARE(window->ExamModel->GetQuestion(0).UserAnswer, QString("#"));
        QCOMPARE(window->ExamModel->UnUnsweredCount(), 12);
    }

    // The keys answer on the exam page as the mouse does, and F1 shows them.
    void keysAnswerOnTheExamPage()
    {
        auto window = NewWindow();
        StartExam(*window);
        window->VST_TreeExam->setCurrentItem(window->QuestionNode(0));
        QTest::keyClick(window->VST_TreeExam, Qt::Key_B);
        QCOMPARE(window->ExamModel->GetQuestion(0).UserAnswer, QString("B"));
        QCOMPARE(window->AnswerControl->Answer(), QString("B"));
        QCOMPARE(window->ExamModel->UnUnsweredCount(), 11);
        QTest::keyClick(window->VST_TreeExam, Qt::Key_Delete);
        QCOMPARE(window->ExamModel->GetQuestion(0).UserAnswer, QString("#"));
        QTest::keyClick(window->VST_TreeExam, Qt::Key_F1);
        QCOMPARE(TMessageBox::History().last(), Tr(93));
        QCOMPARE(window->AnswerTool->toolTip(), Tr(94));

        window->VST_TreeExam->setCurrentItem(window->QuestionNode(10)); // "(######)"
        for (const char *key : {"4", ".", "2"})
            QTest::keyClick(window->VST_TreeExam, key[0]);
        QCOMPARE(window->ExamModel->GetQuestion(10).UserAnswer, QString("(4.2###)"));
        QTest::keyClick(window->VST_TreeExam, Qt::Key_Right); // the keys that move still move
        QCOMPARE(window->fSelectedQuestionIndex, 11);

        // The picture zooms with Ctrl and the wheel or the keys, and fits again with Ctrl+0.
        const QRectF fit = window->QuestionPicture->Target();
        QWheelEvent wheel(QPointF(100, 100), window->PaintBoxQuestion->mapToGlobal(QPointF(100, 100)), {}, {0, 120},
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window->PaintBoxQuestion, &wheel);
        QVERIFY(window->QuestionPicture->Target().width() > fit.width());
        QTest::keyClick(window->VST_TreeExam, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(window->QuestionPicture->Target(), fit);
        QTest::keyClick(window->VST_TreeExam, Qt::Key_Plus, Qt::ControlModifier);
        QVERIFY(!window->QuestionPicture->Zoom().IsFit());
        window->VST_TreeExam->setCurrentItem(window->QuestionNode(3)); // a new question starts fitted
        QVERIFY(window->QuestionPicture->Zoom().IsFit());
    }

    // Flags for review (the key F, in any layout, and the button), the three states and the counts
    // in the tree, the commands to the next unanswered and the next flagged question, and the
    // flags of a reopened exam; a retake starts without them.
    void flagsCountsAndTheNavigator()
    {
        auto window = NewWindow();
        StartExam(*window);
        TExamNavigator &navigator = *window->Navigator;
        QTreeWidget *tree = window->VST_TreeExam;
        QTreeWidgetItem *algebra = tree->topLevelItem(0);
        auto totals = [&] { return navigator.Footer()->findChild<QLabel *>()->text(); };
        QCOMPARE(algebra->text(1), QString("0/5"));
        QCOMPARE(totals(), QString("Answered: 0\nUnanswered: 12\nFlagged: 0"));

        QTest::keyClick(tree, Qt::Key_F);
        QVERIFY(navigator.FlagButton()->isChecked());
        QTest::keyClick(tree, Qt::Key_B);
        tree->setCurrentItem(window->QuestionNode(2));
        QVERIFY(!navigator.FlagButton()->isChecked());
        navigator.FlagButton()->click();
        tree->setCurrentItem(window->QuestionNode(3));
        QKeyEvent cyrillicF(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("а")); // the F key, Russian layout
        QApplication::sendEvent(tree, &cyrillicF);
        QCOMPARE(navigator.Flags(), QSet<int>({0, 2, 3}));
        QTest::keyClick(tree, Qt::Key_F); // and off again
        QCOMPARE(navigator.Flags(), QSet<int>({0, 2}));
        QCOMPARE(algebra->text(1), QString("1/5"));
        QCOMPARE(algebra->text(2), QString("2"));
        QCOMPARE(algebra->data(0, Qt::AccessibleTextRole).toString(), QString("Algebra: 1 answered, 4 unanswered, 2 flagged"));
        QCOMPARE(window->QuestionNode(0)->data(0, Qt::AccessibleTextRole).toString(),
                 QString("Question 1, answered, flagged for review"));
        QCOMPARE(totals(), QString("Answered: 1\nUnanswered: 11\nFlagged: 2"));
        // Each of the four states looks different.
        QSet<qint64> looks;
        Answer(*window, Correct(*window)); // question 4: answered, not flagged
        for (int index : {0, 1, 2, 3})
            looks.insert(window->QuestionNode(index)->icon(0).cacheKey());
        QCOMPARE(looks.size(), 4);
        window->resize(1024, 700);
        Snapshot(window.get(), "exam-flags-1024x700");

        // Next flagged and next unanswered go round from the current question.
        QTest::keyClick(tree, Qt::Key_F, Qt::ShiftModifier);
        QCOMPARE(window->fSelectedQuestionIndex, 0);
        QTest::keyClick(tree, Qt::Key_F, Qt::ShiftModifier);
        QCOMPARE(window->fSelectedQuestionIndex, 2);
        QTest::keyClick(tree, Qt::Key_U);
        QCOMPARE(window->fSelectedQuestionIndex, 4);
        navigator.Footer()->findChildren<QToolButton *>().at(0)->click(); // next unanswered
        QCOMPARE(window->fSelectedQuestionIndex, 5);

        // Kept per exam: saved, closed and opened again, the flags come back.
        TFileDialog::SetNextFileName(FilePath("flagged.qmvx"));
        window->ActionSaveAsExecute();
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        window->ActionCloseExecute();
        QCOMPARE(window->VST_TreeExam->topLevelItemCount(), 0);
        window->ShowOpenExamOption = [](TFormOpenExamOption &) { return int(TFormOpenExamOption::ooContinue); };
        window->OpenExamFile(FilePath("flagged.qmvx"));
        WaitForFinish(*window);
        window->ButtonStart->click();
        QCOMPARE(window->Navigator->Flags(), QSet<int>({0, 2}));
        QCOMPARE(window->VST_TreeExam->topLevelItem(0)->text(2), QString("2"));
        auto restarted = NewWindow(); // another run of the program finds them in the learner's store
        restarted->ShowOpenExamOption = [](TFormOpenExamOption &) { return int(TFormOpenExamOption::ooRetake); };
        restarted->OpenExamFile(FilePath("flagged.qmvx"));
        WaitForFinish(*restarted);
        restarted->ButtonStart->click();
        QCOMPARE(restarted->Navigator->Flags(), QSet<int>());
    }

    // The answer sheet, the question tree and the result list tell assistive technology what they
    // show, and take the keyboard.
    void theExamPageSpeaksToAssistiveTechnology()
    {
        auto window = NewWindow();
        StartExam(*window);
        QAccessibleInterface *sheet = QAccessible::queryAccessibleInterface(window->AnswerTool);
        QVERIFY(sheet);
        QCOMPARE(sheet->text(QAccessible::Name), QString("Answer sheet"));
        QCOMPARE(sheet->childCount(), 5);
        QStringList names;
        for (int i = 0; i < sheet->childCount(); ++i)
            names << sheet->child(i)->text(QAccessible::Name);
        QCOMPARE(names, QStringList({"A", "B", "C", "D", "E"}));
        QAccessibleInterface *b = sheet->child(1);
        QCOMPARE(b->role(), QAccessible::CheckBox);
        QCOMPARE(sheet->indexOfChild(b), 1);
        QVERIFY(!b->state().checked);
        b->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(window->ExamModel->GetQuestion(0).UserAnswer, QString("B"));
        QVERIFY(b->state().checked);
        QCOMPARE(sheet->childAt(b->rect().center().x(), b->rect().center().y()), b);

        // Tab reaches the sheet; its keys answer there and leave the focus on it.
        window->AnswerTool->setFocus();
        QTest::keyClick(window->AnswerTool, Qt::Key_D);
        QCOMPARE(window->ExamModel->GetQuestion(0).UserAnswer, QString("D"));
        QVERIFY(window->AnswerTool->hasFocus());

        window->VST_TreeExam->setCurrentItem(window->QuestionNode(10)); // "(######)"
        QCOMPARE(sheet->childCount(), 6 * 12);
        QCOMPARE(sheet->child(12 + 1)->text(QAccessible::Name), QString("Column 2: 1"));

        // The tree's rows read their state.
        QAccessibleInterface *tree = QAccessible::queryAccessibleInterface(window->VST_TreeExam);
        std::function<bool(QAccessibleInterface *, const QString &)> has = [&](QAccessibleInterface *node, const QString &name) {
            if (node->text(QAccessible::Name) == name)
                return true;
            for (int i = 0; i < node->childCount(); ++i)
                if (QAccessibleInterface *child = node->child(i); child && has(child, name))
                    return true;
            return false;
        };
        QVERIFY(has(tree, "Question 1, answered"));
        QVERIFY(has(tree, "Question 2, unanswered"));

        // The result list: a column per question, and the keyboard moves through them.
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        window->ButtonFinishClick();
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(window->PaintBoxResult);
        QCOMPARE(list->text(QAccessible::Name), QString("Result list"));
        QCOMPARE(list->childCount(), 12);
        QCOMPARE(list->child(0)->text(QAccessible::Name), QString("Question 1"));
        QVERIFY(list->child(0)->text(QAccessible::Value).startsWith("correct answer "));
        QVERIFY(list->child(1)->text(QAccessible::Value).endsWith(", no answer"));
        window->PaintBoxResult->setFocus();
        QTest::keyClick(window->PaintBoxResult, Qt::Key_End);
        QCOMPARE(window->ResultControl->HotIndex(), 12);
        QTest::keyClick(window->PaintBoxResult, Qt::Key_Left);
        QCOMPARE(window->ResultControl->HotIndex(), 11);
    }

    // A finished exam goes into the history; the result page reviews it by filter, exports it as
    // PDF and CSV, and the progress page shows it by subject and topic.
    void historyReviewProgressAndExport()
    {
        auto window = NewWindow();
        const int before = window->Learner->History().AttemptCount();
        StartExam(*window);
        Answer(*window, Correct(*window)); // question 1 right
        window->ButtonNextClick();
        const QString correct = Correct(*window);
        const QString wrong = correct == "A" ? "B" : "A";
        Answer(*window, wrong); // question 2 wrong
        window->ButtonNextClick();
        QTest::keyClick(window->VST_TreeExam, Qt::Key_F); // question 3 flagged, unanswered
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        window->ButtonFinishClick();
        QCOMPARE(window->Learner->History().AttemptCount(), before + 1);

        TLearnerPages &pages = *window->LearnerPages;
        pages.ButtonReview->click();
        QCOMPARE(window->CurrentCard(), TFormMain::CardReview);
        TReviewPage &review = *pages.Review;
        QCOMPARE(review.Shown().size(), 12);
        struct TCase
        {
            TReviewPage::TFilter filter;
            QList<int> shown;
            QString given; // of the first shown
        };
        const TCase cases[] = {
            {TReviewPage::rfRight, {1}, "Your answer: " + NormalizeAnswer(FormatClassic, window->ExamModel->GetQuestion(0).Answer)},
            {TReviewPage::rfWrong, {2}, "Your answer: " + wrong},
            {TReviewPage::rfFlagged, {3}, "Your answer: no answer"},
            {TReviewPage::rfUnanswered, {3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, "Your answer: no answer"},
        };
        for (const TCase &c : cases) {
            review.FilterButton(c.filter)->click();
            QCOMPARE(review.Shown(), c.shown);
            QCOMPARE(review.Current(), c.shown.first());
            QCOMPARE(review.GivenText(), c.given);
        }
        QCOMPARE(review.FilterButton(TReviewPage::rfWrong)->text(), QString("Wrong (1)"));
        QTest::keyClick(review.List(), Qt::Key_Down); // keys move through the filtered list
        QCOMPARE(review.Current(), 4);
        review.SetFilter(TReviewPage::rfAll);
        Snapshot(window.get(), "review-en");
        review.OnBack();
        QCOMPARE(window->CurrentCard(), TFormMain::CardResult);

        // Exports: a CSV of one row per question, a PDF whose first page becomes a picture.
        TFileDialog::SetNextFileName(FilePath("result"));
        pages.ButtonCsv->click();
        QFile csv(FilePath("result.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QByteArray text = csv.readAll();
        QVERIFY(text.startsWith("\xEF\xBB\xBF" "Number,Subject,Topic,Correct answer,Your answer,Result,Flagged\r\n"));
        QCOMPARE(text.count("\r\n"), 13);
        QVERIFY(text.contains("\r\n2,Algebra,"));
        TFileDialog::SetNextFileName(FilePath("result.PDF"));
        pages.ButtonPdf->click();
        QFile pdf(FilePath("result.PDF"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        const QString folder = qEnvironmentVariable("TAVELKO_SCREENSHOTS", fFiles.path());
        QDir().mkpath(folder);
        const QString page = QDir(folder).filePath("result-pdf");
        QCOMPARE(QProcess::execute("pdftoppm", {"-png", "-r", "60", "-f", "1", "-l", "1", "-singlefile", pdf.fileName(), page}), 0);
        QImage rendered(page + ".png");
        QVERIFY(rendered.width() > 400 && rendered.height() > rendered.width()); // an A4 page
        int ink = 0;
        for (int y = 0; y < rendered.height(); y += 4)
            for (int x = 0; x < rendered.width(); x += 4)
                ink += qGray(rendered.pixel(x, y)) < 128;
        QVERIFY2(ink > 200, "the page carries text");

        // Progress: both subjects, every attempt on the chart.
        pages.ButtonProgress->click();
        QCOMPARE(window->CurrentCard(), TFormMain::CardProgress);
        QTreeWidget *table = pages.Progress->Table();
        QCOMPARE(table->topLevelItemCount(), 2);
        QVERIFY(table->topLevelItem(0)->childCount() > 0);
        QVERIFY(!table->topLevelItem(0)->child(0)->text(0).isEmpty());
        const auto series = pages.Progress->Chart()->chart()->series();
        QCOMPARE(series.size(), 2);
        QCOMPARE(static_cast<QXYSeries *>(series.first())->count(), before + 1);
        Snapshot(window.get(), "progress-en");
        pages.Progress->OnBack();
        QCOMPARE(window->CurrentCard(), TFormMain::CardResult);

        // A retake finished again is a second attempt; the first stays.
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        window->ButtonReExamClick();
        window->ButtonStart->click();
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        window->ButtonFinishClick();
        QCOMPARE(window->Learner->History().AttemptCount(), before + 2);
    }

    void prevAndNextAtTheEnds()
    {
        auto window = NewWindow();
        StartExam(*window);
        window->ButtonPrevClick();
        QCOMPARE(window->fSelectedQuestionIndex, 0); // nothing before the first
        for (int i = 0; i < 4; ++i)
            window->ButtonNextClick();
        QCOMPARE(window->fSelectedQuestionIndex, 4); // the last of Algebra
        QTest::keyClick(window->VST_TreeExam, Qt::Key_Right);
        QCOMPARE(window->fSelectedQuestionIndex, 5);
        QCOMPARE(window->LabelQuestionInfo->text(), QString("Subject: \"Physics\", question number: 6"));
        QTest::keyClick(window->VST_TreeExam, Qt::Key_Up);
        QCOMPARE(window->fSelectedQuestionIndex, 4);
        QTest::keyClick(window->VST_TreeExam, Qt::Key_End);
        QTest::keyClick(window->VST_TreeExam, Qt::Key_Home);
        QTest::keyClick(window->VST_TreeExam, Qt::Key_P);
        QCOMPARE(window->fSelectedQuestionIndex, 4); // the tree's own keys do nothing
        for (int i = 0; i < 20; ++i)
            QTest::keyClick(window->VST_TreeExam, Qt::Key_Space);
        QCOMPARE(window->fSelectedQuestionIndex, 11); // nothing after the last
    }

    void warningColourAndTimeOut()
    {
        auto window = NewWindow();
        StartExam(*window);
        window->SetTime(601);
        QCOMPARE(window->LabelTime->palette().color(QPalette::WindowText), QColor(Qt::black));
        window->TimerExamTimer();
        QCOMPARE(window->LabelTime->text(), QString("00:10:00"));
        QCOMPARE(window->LabelTime->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        window->SetTime(1);
        window->TimerExamTimer();
        QCOMPARE(window->LabelTime->text(), QString("00:00:00"));
        QCOMPARE(TMessageBox::History().last(), Tr(36));
        QCOMPARE(window->CurrentCard(), TFormMain::CardResult);
        QVERIFY(!window->TimerExam.isActive());
        QVERIFY(window->LabelResultInfo->text().endsWith("Remaining time: 00:00:00"));
    }

    void finishedExamsOpenOnTheirResultAndRetakeStartsOver()
    {
        auto window = NewWindow();
        StartExam(*window);
        Answer(*window, Correct(*window));
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        window->ButtonFinishClick();
        QCOMPARE(TMessageBox::History().last(), QString("There are 11 unanswered questions! Shall we finish the exam?"));
        TFileDialog::SetNextFileName(FilePath("finished.QMVX"));
        window->ActionSaveAsExecute();
        const QString saved = FilePath("finished.QMVX.qmvx");
        QVERIFY(QFileInfo::exists(saved));

        window->OpenExamFile(saved);
        WaitForFinish(*window);
        QCOMPARE(window->CurrentCard(), TFormMain::CardResult);
        QCOMPARE(window->ResultControl->Layout().columns.first().mark, TResultControl::mkRight);

        // An unfinished exam, retaken: full time, no answers, the same questions.
        StartExam(*window);
        Answer(*window, "A");
        window->TimerExamTimer();
        TFileDialog::SetNextFileName(FilePath("halfway.qmvx"));
        window->ActionSaveExecute();
        window->ShowOpenExamOption = [](TFormOpenExamOption &) { return int(TFormOpenExamOption::ooRetake); };
        window->OpenExamFile(FilePath("halfway.qmvx"));
        WaitForFinish(*window);
        QCOMPARE(window->CurrentCard(), TFormMain::CardBuildExam);
        QCOMPARE(window->ExamModel->RestTime, 10800);
        QCOMPARE(window->ExamModel->UnUnsweredCount(), 12);

        // Cancel (or closing the dialog) discards the exam.
        window->ShowOpenExamOption = [](TFormOpenExamOption &dialog) {
            dialog.close();
            return dialog.result();
        };
        TMessageBox::SetNextAnswer(TMessageBox::No); // do not save the open one
        window->ReopenExecute(window->MenuReopen->actions().at(0));
        WaitForFinish(*window);
        QVERIFY(!window->ExamModel);
        QCOMPARE(window->CurrentCard(), TFormMain::CardStart);
    }

    void damagedAndMissingFiles()
    {
        auto window = NewWindow();
        const QString damaged = FilePath("damaged.qmvx");
        {
            QFile file(damaged);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("x\x9c not an exam file at all");
        }
        window->OpenExamFile(damaged);
        WaitForFinish(*window);
        QCOMPARE(TMessageBox::History().last(), Tr(65));
        QCOMPARE(window->CurrentCard(), TFormMain::CardStart);
        QVERIFY(!window->ExamModel);
        QVERIFY(!window->Busy());
        QCOMPARE(window->ReopenManager->Count(), 0);

        // A path that does not exist (a command line, say): row 48, and it is not remembered.
        window->OpenExamFile(FilePath("no such exam.qmvx"));
        WaitForFinish(*window);
        QCOMPARE(TMessageBox::History().last(), Tr(48));
        QCOMPARE(window->ReopenManager->Count(), 0);

        // The window is still usable: a new exam can be made.
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        window->ActionNewExecute();
        WaitForFinish(*window);
        QCOMPARE(window->CurrentCard(), TFormMain::CardNew);
    }

    void aRecentItemWhoseFileIsGone()
    {
        auto window = NewWindow();
        const QString gone = FilePath("gone.qmvx");
        window->ReopenManager->AddNewItem(gone);
        window->ReopenExecute(window->MenuReopen->actions().at(0));
        QCOMPARE(TMessageBox::History().last(), Tr(48));
        QCOMPARE(window->ReopenManager->GetItem(0), gone);
        QCOMPARE(window->fDownloadMode, dmNone);

        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        window->ReopenClearExecute(nullptr);
        QCOMPARE(TMessageBox::History().last(), Tr(47));
        QCOMPARE(window->ReopenManager->Count(), 0);
    }

    void droppedFiles()
    {
        auto window = NewWindow();
        window->FormDropFiles({FilePath("a.qmvx"), FilePath("b.qmvx")});
        window->FormDropFiles({FilePath("a.Qmvx")});
        window->FormDropFiles({FilePath("a.txt")});
        QCOMPARE(window->fDownloadMode, dmNone);
        QCOMPARE(window->CurrentCard(), TFormMain::CardStart);
        QVERIFY(TMessageBox::History().isEmpty());
        window->FormDropFiles({FilePath("a.QMVX")});
        QCOMPARE(window->fDownloadMode, dmModelListOffline);
        WaitForFinish(*window);
        QCOMPARE(TMessageBox::History().last(), Tr(48));
    }

    void savingWithoutAnExamOrWhileBusy()
    {
        auto window = NewWindow();
        window->ActionSaveExecute();
        QCOMPARE(TMessageBox::History().last(), Tr(41));
        window->ActionSaveAsExecute();
        QCOMPARE(TMessageBox::History().size(), 2);
        window->ActionNewExecute();
        window->ActionSaveExecute(); // busy: nothing at all
        window->ActionSaveAsExecute();
        QCOMPARE(TMessageBox::History().size(), 2);
        WaitForFinish(*window);

        // Cancelling the save dialog leaves the exam open with its clock stopped.
        qobject_cast<QPushButton *>(window->BG_ExamModelsLayout->itemAt(0)->widget())->click();
        WaitForFinish(*window);
        window->ButtonCreate->click();
        WaitForFinish(*window);
        window->ButtonStart->click();
        window->ActionSaveExecute();
        QVERIFY(window->ExamModel);
        QVERIFY(!window->TimerExam.isActive());
    }

    void commandLineArgumentsAreOnePath()
    {
        auto window = NewWindow({FilePath("My"), "Exams.qmvx"});
        window->FormShow();
        const QString joined = FilePath("My") + " Exams.qmvx";
        QCOMPARE(TTavelkoRegistry().GetExecuteParam(), joined);
        QCOMPARE(window->fSaveFileName, joined);
        WaitForFinish(*window);
        QCOMPARE(TMessageBox::History().last(), Tr(48));
    }

    // The copy is written while there is unsaved work, goes when the exam is saved or discarded on
    // purpose, stays when the window closes, and is offered at the next start.
    void theRecoveryCopyFollowsTheExamUntilItIsSavedOrDiscarded()
    {
        const TRecoveryStore store;
        auto copyAnswers = [&] {
            const auto copy = store.ReadExam();
            return copy->GetQuestion(0).UserAnswer + copy->GetQuestion(1).UserAnswer;
        };
        {
            auto window = NewWindow();
            StartExam(*window);
            Answer(*window, "B");
            window->Recovery->Flush();
            QCOMPARE(copyAnswers(), QString("B#"));
            TFileDialog::SetNextFileName(FilePath("kept.qmvx"));
            window->ActionSaveAsExecute();
            window->Recovery->Flush();
            QVERIFY(!store.Exists()); // the file holds it all

            StartExam(*window);
            Answer(*window, "C");
            TMessageBox::SetNextAnswer(TMessageBox::Yes);
            window->ActionCloseExecute();
            window->Recovery->Flush();
            QVERIFY(!store.Exists()); // discarded on purpose

            StartExam(*window);
            Answer(*window, "D");
            window->VST_TreeExam->setCurrentItem(window->QuestionNode(1));
            window->SetTime(4000);
            QCOMPARE(window->fSelectedQuestionIndex, 1);
        } // the window goes, as at Exit: the copy stays, up to the latest state
        QCOMPARE(copyAnswers(), QString("D#"));
        QCOMPARE(store.ReadExam()->LastFocusedIndex, 1);

        auto window = NewWindow();
        QString offered;
        window->Recovery->ShowOffer = [&](TFormRecovery &dialog) {
            offered = dialog.LabelInfo->text();
            return int(TFormRecovery::roContinue);
        };
        window->FormShow();
        QVERIFY2(offered.contains("Answered: 1, unanswered: 11. Time left: 01:06:40."), qPrintable(offered));
        QTRY_COMPARE_WITH_TIMEOUT(window->CurrentCard(), TFormMain::CardExam, 15000);
        QCOMPARE(window->fSelectedQuestionIndex, 1);
        QCOMPARE(window->ExamModel->RestTime, 4000);
        QCOMPARE(window->ExamModel->GetQuestion(0).UserAnswer, QString("D"));
        QVERIFY(window->fSaveFileName.isEmpty()); // never saved: Save asks where
        QCOMPARE(window->ReopenManager->GetItem(0), FilePath("kept.qmvx")); // the copy is not a recent file
    }

    void aDamagedRecoveryCopyIsMovedAsideAndSaidOnce()
    {
        const TRecoveryStore store;
        QDir().mkpath(store.Folder());
        {
            QFile file(store.ExamPath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("x\x9c half an exam");
        }
        bool offered = false;
        auto window = NewWindow();
        window->Recovery->ShowOffer = [&](TFormRecovery &) { return offered = true, int(TFormRecovery::roContinue); };
        window->FormShow();
        QVERIFY(!offered);
        QCOMPARE(TMessageBox::History().size(), 1);
        QVERIFY(TMessageBox::History().first().startsWith("The recovery copy of the last exam is damaged"));
        QVERIFY(!store.Exists());
        QCOMPARE(QDir(store.Folder()).entryList({"recovery-damaged-*.qmvx"}).size(), 1);
        QCOMPARE(window->CurrentCard(), TFormMain::CardStart);
    }

    // After "Save exam as", a new exam saved with Save asks for its own file.
    void aNewExamNeverOverwritesTheLastSavedOne()
    {
        auto window = NewWindow();
        StartExam(*window);
        Answer(*window, "A");
        TFileDialog::SetNextFileName(FilePath("earlier.qmvx"));
        window->ActionSaveAsExecute();
        const QByteArray earlier = ClientFixture::ReadAll(FilePath("earlier.qmvx"));
        QVERIFY(!earlier.isEmpty());

        StartExam(*window);
        Answer(*window, "E");
        TFileDialog::SetNextFileName(QString()); // the learner cancels the save dialog
        window->ActionSaveExecute();
        QCOMPARE(ClientFixture::ReadAll(FilePath("earlier.qmvx")), earlier);
        QVERIFY(window->ExamModel); // still there, unsaved
    }

    // Replacing the exam resets the result list that borrowed the one before; run under
    // AddressSanitizer too (test_client_exam_sanitized).
    void replacingTheExamResetsWhatBorrowsIt()
    {
        auto window = NewWindow();
        StartExam(*window);
        Answer(*window, "A");
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        window->ButtonFinishClick();
        TFileDialog::SetNextFileName(FilePath("done.qmvx"));
        window->ActionSaveAsExecute();
        StartExam(*window);
        TFileDialog::SetNextFileName(FilePath("open.qmvx"));
        window->ActionSaveAsExecute();

        window->OpenExamFile(FilePath("done.qmvx")); // a finished exam: its result list
        WaitForFinish(*window);
        QVERIFY(window->ResultControl);
        window->ShowOpenExamOption = [](TFormOpenExamOption &) { return int(TFormOpenExamOption::ooContinue); };
        window->OpenExamFile(FilePath("open.qmvx")); // replaces it while the list still shows
        WaitForFinish(*window);
        QVERIFY(!window->ResultControl);
        window->ButtonStart->click();
        window->resize(1000, 700);
        QTest::qWait(50);
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        window->ButtonFinishClick();
        QCOMPARE(window->CurrentCard(), TFormMain::CardResult);
        window->resize(1300, 900);
        QTest::qWait(50);
        window->PaintBoxResult->repaint();
    }

    // At both sizes and in every language, the status text and the result heading show whole; the
    // pictures go to TAVELKO_SCREENSHOTS when it names a folder.
    void noTextTheLearnerNeedsIsCut_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QSize>("size");
        for (int language = 0; language < LanguageCount; ++language)
            for (const QSize size : {QSize(1024, 700), QSize(1600, 1000)})
                QTest::addRow("%s %dx%d", qPrintable(LanguageName(language)), size.width(), size.height()) << language << size;
    }

    void noTextTheLearnerNeedsIsCut()
    {
        QFETCH(int, language);
        QFETCH(QSize, size);
        const auto whole = [](QLabel *label) {
            label->window()->layout()->activate();
            QApplication::processEvents();
            if (label->wordWrap())
                return label->heightForWidth(label->contentsRect().width()) <= label->contentsRect().height();
            return label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width();
        };
        const char *codes[] = {"en", "az", "ru", "tr"};
        const QString name = QStringLiteral("%1-%2x%3").arg(codes[language]).arg(size.width()).arg(size.height());
        auto window = NewWindow();
        window->ComboBoxExLanguage->setCurrentIndex(language);
        emit window->ComboBoxExLanguage->activated(language);
        window->resize(size);
        window->ActionNewExecute();
        QVERIFY(!window->StatusText->text().isEmpty());
        QVERIFY2(whole(window->StatusText), qPrintable(window->StatusText->text()));
        Snapshot(window.get(), "status-" + name);
        WaitForFinish(*window);
        qobject_cast<QPushButton *>(window->BG_ExamModelsLayout->itemAt(0)->widget())->click();
        WaitForFinish(*window);
        window->ButtonCreate->click();
        // While the questions come, the spinner stays clear of the waiting text.
        QVERIFY(window->ActivityIndicator && window->ActivityIndicator->isVisible());
        const QRect text = window->LabelCreateInfo->fontMetrics().boundingRect(
            window->LabelCreateInfo->contentsRect(), Qt::AlignCenter | Qt::TextWordWrap, window->LabelCreateInfo->text());
        QVERIFY(!window->ActivityIndicator->geometry().intersects(
            QRect(window->LabelCreateInfo->mapTo(window->ActivityIndicator->parentWidget(), text.topLeft()), text.size())));
        Snapshot(window.get(), "build-" + name);
        WaitForFinish(*window);
        window->ButtonStart->click();
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        window->ButtonFinishClick();
        QCOMPARE(window->CurrentCard(), TFormMain::CardResult);
        QVERIFY2(whole(window->LabelResultInfo), qPrintable(window->LabelResultInfo->text()));
        // The list's own heading and titles, drawn at their size or smaller, never past the width.
        const TResultControl::TLayout &layout = window->ResultControl->Layout();
        const qreal room = window->ResultControl->Width() - 2 * 30;
        const auto fits = [room](const QString &text, int pixels) {
            QFont font;
            font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
            font.setPixelSize(pixels);
            return QFontMetricsF(font).horizontalAdvance(text) <= room;
        };
        QVERIFY2(fits(layout.headingText, layout.headingPixels), qPrintable(layout.headingText));
        for (qsizetype i = 0; i < layout.titleTexts.size(); ++i)
            QVERIFY2(fits(layout.titleTexts[i], layout.titlePixels[i]), qPrintable(layout.titleTexts[i]));
        Snapshot(window.get(), "result-" + name);
        window->ComboBoxExLanguage->setCurrentIndex(langEnglish);
        emit window->ComboBoxExLanguage->activated(langEnglish);
    }

    // The buttons of a real message box speak the interface language, and with questions left
    // unanswered Enter does not end the exam.
    void enterInTheFinishQuestionKeepsAnUnfinishedExam()
    {
        auto window = NewWindow();
        StartExam(*window);
        window->ComboBoxExLanguage->setCurrentIndex(langRussian);
        emit window->ComboBoxExLanguage->activated(langRussian);
        TMessageBox::SetTestMode(false);
        QStringList buttons;
        QTimer::singleShot(100, [&] {
            QWidget *box = QApplication::activeModalWidget();
            QVERIFY(box);
            for (QAbstractButton *button : box->findChildren<QAbstractButton *>())
                buttons << button->text();
            QTest::keyClick(box, Qt::Key_Return);
        });
        window->ButtonFinishClick();
        TMessageBox::SetTestMode(true);
        buttons.sort();
        QCOMPARE(buttons, QStringList({TrIn(89, langRussian), TrIn(90, langRussian)}));
        QCOMPARE(window->CurrentCard(), TFormMain::CardExam);
        window->ComboBoxExLanguage->setCurrentIndex(langEnglish);
        emit window->ComboBoxExLanguage->activated(langEnglish);
    }

private:
    static void EXPECT_ROWS(TFormOpenExamOption &dialog)
    {
        QCOMPARE(dialog.windowTitle(), Tr(57));
        QCOMPARE(dialog.ValueList->item(0, 0)->text(), Tr(54));
        QCOMPARE(dialog.ValueList->item(0, 1)->text(), QString("03:00:00"));
        QCOMPARE(dialog.ValueList->item(1, 1)->text(), QString("02:59:55"));
        QCOMPARE(dialog.ValueList->item(2, 1)->text(), QString("00:00:05"));
        QCOMPARE(dialog.ValueList->item(3, 1)->text(), QString("12"));
        QCOMPARE(dialog.ValueList->item(4, 1)->text(), QString("4"));
        QCOMPARE(dialog.ValueList->item(5, 1)->text(), QString("8"));
        QCOMPARE(dialog.ButtonContinue->text(), Tr(63));
    }
};

QTEST_MAIN(TestClientExam)
#include "test_client_exam.moc"
