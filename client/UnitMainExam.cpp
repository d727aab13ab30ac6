// Taking the exam: "Start exam", the question tree, the picture, the answer tool, Prev and Next,
// the clock with its warning colour and forced end, Finish, and the result page with its retake.

#include "UnitMain.h"


#include "UnitAnswerControl.h"
#include "UnitArtwork.h"
#include "UnitComplain.h"
#include "UnitExamModel.h"
#include "UnitMessageBox.h"
#include "UnitPaintBox.h"
#include "UnitResultControl.h"
#include "UnitExamKeys.h"
#include "UnitExamNavigator.h"
#include "UnitExamRecovery.h"
#include "UnitLearnerData.h"
#include "UnitQuestionPicture.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTreeWidget>

void TFormMain::ButtonStartClick()
{
    ButtonStart->hide();
    SetTime(ExamModel->RestTime);
    FillExamTree();
    fSelectedQuestionIndex = ExamModel->LastFocusedIndex == -1 ? 0 : ExamModel->LastFocusedIndex;
    TimerExam.start();
    ShowCard(CardExam);
    if (!VST_TreeExam->currentItem() && VST_TreeExam->topLevelItemCount() > 0
        && VST_TreeExam->topLevelItem(0)->childCount() > 0)
        VST_TreeExam->setCurrentItem(VST_TreeExam->topLevelItem(0)->child(0));
    if (QTreeWidgetItem *current = VST_TreeExam->currentItem())
        current->setSelected(true);
    VST_TreeExam->setFocus();
}

void TFormMain::FillExamTree()
{
    Navigator->Fill(*ExamModel, Learner->Flags(*ExamModel));
    if (QTreeWidgetItem *remembered = QuestionNode(ExamModel->LastFocusedIndex))
        VST_TreeExam->setCurrentItem(remembered); // a fresh tree has no current item: this shows it
}

int TFormMain::QuestionIndexOf(QTreeWidgetItem *item) const
{
    return Navigator->IndexOf(item);
}

QTreeWidgetItem *TFormMain::QuestionNode(int index) const
{
    return Navigator->Node(index);
}

void TFormMain::VST_TreeExamFocusChanged(QTreeWidgetItem *item)
{
    const int index = QuestionIndexOf(item);
    if (index < 0)
        return;
    SetSelectedQuestionIndex(index);
    ExamKeys->NewQuestion();
    const TSimpleQuestion question = ExamModel->GetQuestion(index);
    AnswerControl->ChangeParams(AnswerTool, question.Format, NormalizeAnswer(question.Format, question.UserAnswer),
                                AnswerTool->width(), AnswerTool->height(),
                                TRectI{10, 10, AnswerTool->width() - 10, AnswerTool->height() - 10});
}

void TFormMain::SetSelectedQuestionIndex(int index)
{
    fSelectedQuestionIndex = index;
    ExamModel->LastFocusedIndex = index;
    LabelQuestionInfo->setText(TrFormat(23, {ExamModel->GetPredmetNameForQuestionIndex(index), index + 1}));
    QuestionPicture->Show(index < ExamModel->images.size() ? ExamModel->images[index] : QByteArray());
    ExamChanged();
}

void TFormMain::PaintBoxQuestionPaint()
{
    QuestionPicture->Paint();
}

void TFormMain::AnswerToolMouseUp(int x, int y)
{
    if (!AnswerControl)
        return;
    AnswerControl->Up(x, y);
    if (fSelectedQuestionIndex < 0 || !ExamModel || CurrentCard() != CardExam)
        return;
    TSimpleQuestion question = ExamModel->GetQuestion(fSelectedQuestionIndex);
    if (!question.Exists() || question.Format != AnswerControl->Format())
        return;
    question.UserAnswer = AnswerControl->Answer();
    ExamModel->SetQuestion(fSelectedQuestionIndex, question);
    ExamChanged();
    Navigator->AnswerChanged(fSelectedQuestionIndex, !IsBlankAnswer(question.Format, question.UserAnswer));
    if (!AnswerTool->hasFocus()) // a mouse answer hands the keys back to the tree
        VST_TreeExam->setFocus();
}

void TFormMain::ButtonNextClick()
{
    QTreeWidgetItem *item = VST_TreeExam->currentItem();
    QTreeWidgetItem *next = nullptr;
    if (item && !item->parent()) {
        next = item->child(0);
    } else if (item) {
        QTreeWidgetItem *subject = item->parent();
        const int position = subject->indexOfChild(item);
        if (position + 1 < subject->childCount()) {
            next = subject->child(position + 1);
        } else {
            for (int s = VST_TreeExam->indexOfTopLevelItem(subject) + 1; !next && s < VST_TreeExam->topLevelItemCount(); ++s)
                next = VST_TreeExam->topLevelItem(s)->child(0);
        }
    }
    if (next)
        VST_TreeExam->setCurrentItem(next);
    if (QTreeWidgetItem *current = VST_TreeExam->currentItem())
        current->setSelected(true);
    VST_TreeExam->setFocus();
}

void TFormMain::ButtonPrevClick()
{
    QTreeWidgetItem *item = VST_TreeExam->currentItem();
    QTreeWidgetItem *previous = nullptr;
    auto lastOfSubjectsBefore = [this](QTreeWidgetItem *subject) -> QTreeWidgetItem * {
        for (int s = VST_TreeExam->indexOfTopLevelItem(subject) - 1; s >= 0; --s) {
            QTreeWidgetItem *candidate = VST_TreeExam->topLevelItem(s);
            if (candidate->childCount() > 0)
                return candidate->child(candidate->childCount() - 1);
        }
        return nullptr;
    };
    if (item && !item->parent()) {
        previous = lastOfSubjectsBefore(item);
    } else if (item) {
        QTreeWidgetItem *subject = item->parent();
        const int position = subject->indexOfChild(item);
        previous = position > 0 ? subject->child(position - 1) : lastOfSubjectsBefore(subject);
    }
    if (previous)
        VST_TreeExam->setCurrentItem(previous);
    if (QTreeWidgetItem *current = VST_TreeExam->currentItem())
        current->setSelected(true);
    VST_TreeExam->setFocus();
}

qint32 TFormMain::GetTime() const
{
    return ExamModel ? ExamModel->RestTime : 0;
}

void TFormMain::SetTime(qint32 value)
{
    if (!ExamModel)
        return;
    ExamModel->RestTime = value;
    QPalette palette = LabelTime->palette();
    palette.setColor(QPalette::WindowText, value > ExamModel->WarningTime ? Qt::black : QColor(255, 0, 0));
    LabelTime->setPalette(palette);
    LabelTime->setText(FormatSeconds(value));
}

void TFormMain::TimerExamTimer()
{
    if (!ExamModel) {
        TimerExam.stop();
        return;
    }
    SetTime(GetTime() - 1);
    if (GetTime() <= 0) {
        TimerExam.stop();
        TMessageBox::ShowMessage(this, Tr(36));
        FinishExam();
        return;
    }
    Recovery->ClockTick(*ExamModel, fSaveFileName, CurrentCard());
}

void TFormMain::ButtonFinishClick()
{
    const qint32 unanswered = ExamModel->UnUnsweredCount();
    const QString question = unanswered <= 0 ? Tr(25) : TrFormat(24, {unanswered}) + u' ' + Tr(25);
    // With questions left unanswered, Enter must not end the exam by accident.
    if (TMessageBox::Confirm(this, question, TMessageBox::YesNo, unanswered > 0 ? TMessageBox::No : TMessageBox::Yes)
        == TMessageBox::Yes) {
        FinishExam();
    } else {
        VST_TreeExam->setFocus();
    }
}

void TFormMain::FinishExam()
{
    TimerExam.stop();
    ShowResult();
    Learner->RecordAttempt(*ExamModel);
    ExamChanged();
}

void TFormMain::ShowResult()
{
    if (!ExamModel)
        return;
    ShowCard(CardResult);
    LabelResultInfo->setText(
        TrFormat(44, {ExamModel->Name, FormatSeconds(ExamModel->Time), FormatSeconds(ExamModel->RestTime)}));
    const int width = ScrollBoxResult->viewport()->width();
    ResultControl = std::make_unique<TResultControl>(PaintBoxResult, ExamModel.get(), width, 30, 30);
    ResultControl->DialogParent = this;
    ResultControl->OnInvalidate = [this](const QRect &area) { PaintBoxResult->update(area); };
    PaintBoxResult->setGeometry(0, 0, width, ResultControl->Height());
    ScrollBoxResult->verticalScrollBar()->setValue(0);
    PaintBoxResult->update();
}

void TFormMain::ButtonReExamClick()
{
    if (TMessageBox::Confirm(this, Tr(45)) != TMessageBox::Yes)
        return;
    ExamModel->RestTime = ExamModel->Time;
    ExamModel->Finished = false;
    ExamModel->ResetUserAnswers();
    Learner->ClearFlags(*ExamModel); // a retake starts with nothing flagged
    ShowStartExamButton();
    ShowCard(CardBuildExam);
    ResultControl.reset();
}

void TFormMain::StopExamClock()
{
    TimerExam.stop();
}

void TFormMain::ShowStartExamButton()
{
    LabelCreateInfo->hide();
    PanelProgress->hide();
    ButtonStart->show();
    FormResize();
}
