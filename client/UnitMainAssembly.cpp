// Exam assembly: "Create exam" draws every part's questions from the question bank within the
// marked topics and lists their pictures for the download.

#include "UnitMain.h"

#include "UnitLearnerData.h"
#include "UnitRegistry.h"

#include "UnitDataModule.h"
#include "UnitExamModel.h"
#include "UnitMessageBox.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

#include <cmath>

namespace {

// The wait cursor for as long as the draw runs, whichever way it ends.
class TWaitCursor
{
public:
    TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

} // namespace

void TFormMain::ButtonCreateClick()
{
    ShowCard(CardBuildExam);
    if (DrawExamQuestions()) {
        SetDownloadMode(dmStart);
        SetDownloadMode(dmQuestionFiles);
    } else {
        CloseExam();
    }
}

bool TFormMain::DrawExamQuestions()
{
    Files.clear();
    if (!ExamModel)
        return false;
    ExamModel->IDS.clear();
    const TBaseRec *root = FindStructureRec(Structure, 0, 0, 0);
    if (!root)
        return false;
    const QString rootText = root->Text;
    TWaitCursor wait;
    qint32 running = 0;
    Learner->BeforeDraw(*DataModule, TavelkoRegistry->GetPreferUnseen());
    QHash<qint64, QString> drawn; // id -> path, for the learner's history

    // One draw: the questions, their ids at their running index, answers and picture names.
    auto draw = [&](TExamPredmet &predmet, TPredmetPart &part, qint32 count, qint32 sub) {
        const qint32 p = predmet.BaseIndex;
        const QString pattern = predmet.SubExists ? QStringLiteral("%1/%2/%3/%").arg(rootText).arg(p).arg(sub)
                                                  : QStringLiteral("%1/%2/%").arg(rootText).arg(p);
        const qint32 bound = GetMaxThemeIndex(Structure, p, predmet.SubExists ? sub : 0);
        const TBaseQuestions questions =
            DataModule->GetBaseQuestions(*ExamModel, count, bound, predmet.SubExists, pattern, part.Format);
        if (qint32(questions.size()) < count) {
            TMessageBox::ShowMessage(this, Tr(19));
            return false;
        }
        for (const TBaseQuestion &question : questions)
            ExamModel->IDS[question.Id] = running++;
        for (const TBaseQuestion &question : questions) {
            part.Answer += question.Answer;
            Files.append(question.Path.mid(rootText.size() + 1) + QStringLiteral(".png"));
            drawn.insert(question.Id, question.Path);
        }
        return true;
    };

    for (const auto &predmet : ExamModel->Predmets) {
        for (const auto &part : predmet->Parts) {
            const qint32 n = part->QuestionsCount();
            // Halves go to the even neighbour: 2.5 gives 2, 3.5 gives 4.
            const qint32 k1 = qint32(std::nearbyint(double(n) * part->SubProportion));
            const qint32 k2 = n - k1;
            part->Answer.clear();
            if (k1 >= 1 && !draw(*predmet, *part, k1, 1))
                return false;
            if (predmet->SubExists && k2 >= 1 && !draw(*predmet, *part, k2, 2))
                return false;
        }
    }
    Learner->Drawn(drawn);
    return true;
}
