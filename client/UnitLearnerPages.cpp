#include "UnitLearnerPages.h"

#include "UnitAtomicSave.h"
#include "UnitAttemptReport.h"
#include "UnitExamModel.h"
#include "UnitLearnerData.h"
#include "UnitMain.h"
#include "UnitMessageBox.h"
#include "UnitProgressPage.h"
#include "UnitRegistry.h"
#include "UnitReviewPage.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

TLearnerPages::TLearnerPages(TFormMain &window) : QObject(&window), fWindow(window)
{
    Review = new TReviewPage(window.CardPanel);
    Progress = new TProgressPage(window.CardPanel);
    window.CardPanel->insertWidget(TFormMain::CardReview, Review);
    window.CardPanel->insertWidget(TFormMain::CardProgress, Progress);
    Review->OnBack = [this] { Back(TFormMain::CardResult); };
    Progress->OnBack = [this] { Back(fProgressFrom); };
    Progress->TopicName = [this](const TTopicProgress &topic) { return TopicName(topic.subjectBase, topic.sub, topic.topic); };

    // Review and export, beside the retake on the result page.
    auto *resultBar = qobject_cast<QBoxLayout *>(window.ButtonReExam->parentWidget()->layout());
    ButtonReview = new QPushButton(window.ButtonReExam->parentWidget());
    ButtonPdf = new QPushButton(window.ButtonReExam->parentWidget());
    ButtonCsv = new QPushButton(window.ButtonReExam->parentWidget());
    for (QPushButton *button : {ButtonReview, ButtonPdf, ButtonCsv}) {
        button->setMinimumHeight(38);
        resultBar->insertWidget(resultBar->indexOf(window.ButtonReExam), button);
    }

    // Progress and the draw's preference, under New exam on the start page.
    QWidget *start = window.CardPanel->widget(TFormMain::CardStart);
    auto *box = new QWidget(start);
    box->setObjectName(QStringLiteral("LearnerBox"));
    auto *boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(0, 0, 0, 0);
    ButtonProgress = new QPushButton(box);
    ButtonProgress->setFixedSize(260, 40);
    PreferUnseen = new QCheckBox(box);
    boxLayout->addWidget(ButtonProgress, 0, Qt::AlignHCenter);
    boxLayout->addWidget(PreferUnseen, 0, Qt::AlignHCenter);

    ActionProgress = new QAction(&window);
    const QList<QAction *> menu = window.MenuFile->actions();
    window.MenuFile->insertAction(menu.value(menu.indexOf(window.ActionNew) + 1), ActionProgress); // after New exam

    auto guarded = [this](void (TLearnerPages::*handler)()) {
        return [this, handler] { ReportErrors(&fWindow, [&] { (this->*handler)(); }); };
    };
    connect(ButtonReview, &QPushButton::clicked, this, guarded(&TLearnerPages::ShowReview));
    connect(ButtonPdf, &QPushButton::clicked, this, guarded(&TLearnerPages::ExportPdf));
    connect(ButtonCsv, &QPushButton::clicked, this, guarded(&TLearnerPages::ExportCsv));
    connect(ButtonProgress, &QPushButton::clicked, this, guarded(&TLearnerPages::ShowProgress));
    connect(ActionProgress, &QAction::triggered, this, guarded(&TLearnerPages::ShowProgress));
    connect(PreferUnseen, &QCheckBox::toggled, this,
            [this](bool on) { ReportErrors(&fWindow, [&] { fWindow.TavelkoRegistry->SetPreferUnseen(on); }); });
}

void TLearnerPages::Translate()
{
    ButtonReview->setText(Tr(114));
    ButtonPdf->setText(Tr(115));
    ButtonCsv->setText(Tr(116));
    ButtonProgress->setText(Tr(125));
    ActionProgress->setText(Tr(125));
    PreferUnseen->setText(Tr(126));
    if (fWindow.TavelkoRegistry) {
        const QSignalBlocker quiet(PreferUnseen);
        PreferUnseen->setChecked(fWindow.TavelkoRegistry->GetPreferUnseen());
    }
    PreferUnseen->parentWidget()->adjustSize();
    Review->Translate();
    Progress->Translate();
}

void TLearnerPages::ShowReview()
{
    if (!fWindow.ExamModel)
        return;
    Review->Show(fWindow.Learner->Attempt(*fWindow.ExamModel), fWindow.ExamModel->images);
    fWindow.ShowCard(TFormMain::CardReview);
}

void TLearnerPages::ShowProgress()
{
    const TFormMain::TCard from = fWindow.CurrentCard();
    if (from != TFormMain::CardProgress)
        fProgressFrom = from;
    if (from == TFormMain::CardExam)
        fWindow.StopExamClock(); // the exam waits while the learner looks
    Progress->Show(fWindow.Learner->History().Progress());
    fWindow.ShowCard(TFormMain::CardProgress);
}

void TLearnerPages::Back(int card)
{
    fWindow.ShowCard(TFormMain::TCard(card));
    if (card == TFormMain::CardExam && fWindow.ExamModel && !fWindow.ExamModel->Finished)
        fWindow.TimerExam.start();
}

QString TLearnerPages::TopicName(int subjectBase, int sub, int topic) const
{
    const TBaseRec *record = topic >= 0 ? FindStructureRec(fWindow.Structure, subjectBase, sub, topic) : nullptr;
    return record ? record->Text : QString();
}

void TLearnerPages::ExportPdf()
{
    Export(QStringLiteral("PDF (*.pdf)"), QStringLiteral(".pdf"), true);
}

void TLearnerPages::ExportCsv()
{
    Export(QStringLiteral("CSV (*.csv)"), QStringLiteral(".csv"), false);
}

void TLearnerPages::Export(const QString &filter, const QString &extension, bool pdf)
{
    if (!fWindow.ExamModel)
        return;
    QString fileName = TFileDialog::GetSaveFileName(&fWindow, filter);
    if (fileName.isEmpty())
        return;
    if (!fileName.endsWith(extension, Qt::CaseInsensitive))
        fileName += extension;
    const TAttempt attempt = fWindow.Learner->Attempt(*fWindow.ExamModel);
    const TTopicNamer names = [this](const TAttemptQuestion &q) { return TopicName(q.subjectBase, q.sub, q.topic); };
    SaveFileAtomically(fileName, pdf ? AttemptPdf(attempt, names) : AttemptCsvReport(attempt, names));
}
