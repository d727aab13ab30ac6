// The client program as a learner runs it, with a line-by-line driver on standard input in place
// of the learner's hands, for tests that kill it and start it again. Message boxes and file
// dialogs take queued answers (Yes to every question); TAVELKO_TEST_RECOVERY ("continue" or
// "discard") answers the offer of an unsaved exam. Commands, each answered by a line:
//   new              a new exam with the first model, all topics, started
//   answer LETTER    answers the question on screen (letter answers only)
//   next             the next question
//   saveas PATH      "Save exam as" to PATH
//   open PATH        opens PATH and continues it
//   state            card|question|remaining time|answers|file name
//   opened PATH      waits until PATH is the open exam and its model is read; answers "ok"

#include "UnitAnswerControl.h"
#include "UnitExamModel.h"
#include "UnitExamRecovery.h"
#include "UnitMain.h"
#include "UnitMessageBox.h"
#include "UnitOpenExamOption.h"
#include "UnitPaintBox.h"
#include "UnitRecoveryDialog.h"

#include <QApplication>
#include <QLayout>
#include <QPushButton>
#include <QSocketNotifier>
#include <QStyleFactory>
#include <QTest>

#include <cstdio>
#include <unistd.h>

namespace {

bool WaitForFinish(TFormMain &window)
{
    return QTest::qWaitFor([&] { return window.fDownloadMode == dmFinish; }, 20000);
}

QString Run(TFormMain &window, const QString &line)
{
    const QString command = line.section(u' ', 0, 0);
    const QString argument = line.section(u' ', 1);
    TMessageBox::SetNextAnswer(TMessageBox::Yes);
    if (command == QLatin1String("new")) {
        window.ActionNewExecute();
        if (!WaitForFinish(window))
            return QStringLiteral("error no model list");
        qobject_cast<QPushButton *>(window.BG_ExamModelsLayout->itemAt(0)->widget())->click();
        if (!WaitForFinish(window))
            return QStringLiteral("error no model");
        window.ButtonCreate->click();
        if (!WaitForFinish(window) || !window.ButtonStart->isVisibleTo(&window))
            return QStringLiteral("error no exam");
        window.ButtonStart->click();
    } else if (command == QLatin1String("answer")) {
        for (const TAnswerControl::TCell &cell : window.AnswerControl->OptionCells()) {
            if (cell.column == -1 && cell.row == argument.at(0).unicode() - 'A') {
                const QPoint at(int(cell.x + cell.s / 2), int(cell.y + cell.s / 2));
                QTest::mousePress(window.AnswerTool, Qt::LeftButton, {}, at);
                QTest::mouseRelease(window.AnswerTool, Qt::LeftButton, {}, at);
            }
        }
    } else if (command == QLatin1String("next")) {
        window.ButtonNext->click();
    } else if (command == QLatin1String("saveas")) {
        TFileDialog::SetNextFileName(argument);
        window.ActionSaveAsExecute();
    } else if (command == QLatin1String("open")) {
        window.OpenExamFile(argument);
        if (!WaitForFinish(window))
            return QStringLiteral("error not opened");
        window.ButtonStart->click();
    } else if (command == QLatin1String("opened")) {
        if (!QTest::qWaitFor([&] { return window.fSaveFileName == argument && window.fDownloadMode == dmFinish; }, 20000))
            return QStringLiteral("error not opened: ") + window.fSaveFileName;
    } else if (command == QLatin1String("state")) {
        // A resumed exam comes up once its model list is read.
        [[maybe_unused]] const bool shown = QTest::qWaitFor([&] { return window.CurrentCard() == TFormMain::CardExam; }, 20000);
        QStringList answers;
        if (window.ExamModel)
            for (qint32 i = 0; i < window.ExamModel->QuestionsCount(); ++i)
                answers << window.ExamModel->GetQuestion(i).UserAnswer;
        return QStringList{QString::number(window.CurrentCard()), QString::number(window.fSelectedQuestionIndex),
                           QString::number(window.GetTime()), answers.join(u','), window.fSaveFileName}
            .join(u'|');
    } else {
        return QStringLiteral("error unknown command");
    }
    return QStringLiteral("ok");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavelko"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    TMessageBox::SetTestMode(true);

    TFormMain window;
    window.OnTerminate = [] { QCoreApplication::quit(); };
    window.ShowOpenExamOption = [](TFormOpenExamOption &) { return int(TFormOpenExamOption::ooContinue); };
    const bool resume = qEnvironmentVariable("TAVELKO_TEST_RECOVERY") == QLatin1String("continue");
    window.Recovery->ShowOffer = [resume](TFormRecovery &) { return resume ? TFormRecovery::roContinue : TFormRecovery::roDiscard; };
    window.resize(1280, 800);
    window.show();
    window.FormShow();

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[4096];
        const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            input.setEnabled(false);
            return;
        }
        pending.append(buffer, got);
        for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
            const QString line = QString::fromUtf8(pending.left(end)).trimmed();
            pending.remove(0, end + 1);
            const QByteArray answer = Run(window, line).toUtf8() + '\n';
            std::fwrite(answer.constData(), 1, size_t(answer.size()), stdout);
            std::fflush(stdout);
        }
    });
    return QApplication::exec();
}
