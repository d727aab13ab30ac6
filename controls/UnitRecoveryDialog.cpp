#include "UnitRecoveryDialog.h"

#include "UnitCatalogue.h"
#include "UnitExamModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFormRecovery::TFormRecovery(QWidget *parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMinimumWidth(520);
    LabelInfo = new QLabel(this);
    LabelInfo->setWordWrap(true);
    ButtonContinue = new QPushButton(this);
    ButtonDiscard = new QPushButton(this);
    ButtonContinue->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonContinue);
    buttons->addWidget(ButtonDiscard);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LabelInfo);
    layout->addLayout(buttons);
    connect(ButtonContinue, &QPushButton::clicked, this, [this] { done(roContinue); });
    connect(ButtonDiscard, &QPushButton::clicked, this, [this] { done(roDiscard); });
    Translate();
}

void TFormRecovery::FillInfo(const TExamModel &exam, const QDateTime &savedAt)
{
    fName = exam.Name;
    fUnanswered = exam.UnUnsweredCount();
    fAnswered = exam.QuestionsCount() - fUnanswered;
    fRestTime = exam.RestTime;
    fSavedAt = savedAt;
    Translate();
}

void TFormRecovery::Translate()
{
    setWindowTitle(Tr(84));
    LabelInfo->setText(TrFormat(85, {fName, fAnswered, fUnanswered, FormatSeconds(fRestTime),
                                     fSavedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))}));
    ButtonContinue->setText(Tr(86));
    ButtonDiscard->setText(Tr(87));
}
