#include "UnitReviewPage.h"

#include "UnitAttemptReport.h"
#include "UnitPaintBox.h"
#include "UnitQuestionPicture.h"
#include "UnitTranslate.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TReviewPage::TReviewPage(QWidget *parent)
    : QWidget(parent), fList(new QListWidget(this)), fPicture(new TPaintBox(this)), fCorrect(new QLabel(this)),
      fGiven(new QLabel(this)), fBack(new QPushButton(this))
{
    auto *layout = new QVBoxLayout(this);
    auto *bar = new QHBoxLayout;
    auto *group = new QButtonGroup(this);
    for (int filter = 0; filter < FilterCount; ++filter) {
        auto *button = new QToolButton(this);
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        group->addButton(button, filter);
        bar->addWidget(button);
        fFilters[size_t(filter)] = button;
    }
    bar->addStretch(1);
    bar->addWidget(fBack);
    layout->addLayout(bar);

    auto *body = new QHBoxLayout;
    fList->setFixedWidth(260);
    body->addWidget(fList);
    auto *question = new QVBoxLayout;
    question->addWidget(fPicture, 1);
    auto *answers = new QHBoxLayout;
    QFont big = font();
    big.setPixelSize(20);
    for (QLabel *label : {fCorrect, fGiven}) {
        label->setFont(big);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        answers->addWidget(label, 1);
    }
    question->addLayout(answers);
    body->addLayout(question, 1);
    layout->addLayout(body, 1);

    fZoom = std::make_unique<TQuestionPicture>(fPicture, this);
    fPicture->OnPaint = [this] { fZoom->Paint(); };
    connect(group, &QButtonGroup::idClicked, this, [this](int filter) { SetFilter(TFilter(filter)); });
    connect(fList, &QListWidget::currentRowChanged, this, [this](int row) { Choose(row); });
    connect(fBack, &QPushButton::clicked, this, [this] {
        if (OnBack)
            OnBack();
    });
    Translate();
}

TReviewPage::~TReviewPage() = default;

void TReviewPage::Show(const TAttempt &attempt, const QList<QByteArray> &pictures)
{
    fAttempt = attempt;
    fPictures = pictures;
    fFilter = rfAll;
    Translate();
    fList->setFocus();
}

bool TReviewPage::Passes(const TAttemptQuestion &question, TFilter filter) const
{
    switch (filter) {
    case rfWrong:
        return question.outcome == TAnswerOutcome::Wrong;
    case rfUnanswered:
        return question.outcome == TAnswerOutcome::Blank;
    case rfFlagged:
        return question.flagged;
    case rfRight:
        return question.outcome == TAnswerOutcome::Right;
    default:
        return true;
    }
}

void TReviewPage::SetFilter(TFilter filter)
{
    fFilter = filter;
    fFilters[size_t(filter)]->setChecked(true);
    Fill();
}

void TReviewPage::Fill()
{
    const int keep = Current();
    const QSignalBlocker quiet(fList);
    fList->clear();
    int row = 0, chosen = 0;
    for (const TAttemptQuestion &question : fAttempt.questions) {
        if (!Passes(question, fFilter))
            continue;
        auto *item = new QListWidgetItem(
            QStringLiteral("%1  %2 · %3").arg(TrFormat(100, {question.number}), question.subject, OutcomeWord(question.outcome)),
            fList);
        item->setData(Qt::UserRole, question.number);
        item->setForeground(question.outcome == TAnswerOutcome::Right   ? QColor(0, 0, 255)
                            : question.outcome == TAnswerOutcome::Wrong ? QColor(255, 0, 0)
                                                                        : QColor(Qt::black));
        if (question.number == keep)
            chosen = row;
        ++row;
    }
    fList->setCurrentRow(row > 0 ? chosen : -1);
    Choose(fList->currentRow());
}

void TReviewPage::Choose(int row)
{
    const int number = row >= 0 && fList->item(row) ? fList->item(row)->data(Qt::UserRole).toInt() : 0;
    if (number <= 0 || number > int(fAttempt.questions.size())) {
        fZoom->Show(QByteArray());
        fCorrect->clear();
        fGiven->clear();
        return;
    }
    const TAttemptQuestion &question = fAttempt.questions[size_t(number - 1)];
    fZoom->Show(fPictures.value(number - 1));
    fCorrect->setText(TrFormat(122, {AnswerWords(question.format, question.correct)}));
    fGiven->setText(TrFormat(123, {AnswerWords(question.format, question.given)}));
    QPalette palette = fGiven->palette();
    palette.setColor(QPalette::WindowText, fList->item(row)->foreground().color());
    fGiven->setPalette(palette);
}

QList<int> TReviewPage::Shown() const
{
    QList<int> numbers;
    for (int row = 0; row < fList->count(); ++row)
        numbers.append(fList->item(row)->data(Qt::UserRole).toInt());
    return numbers;
}

int TReviewPage::Current() const
{
    const QListWidgetItem *item = fList->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

QString TReviewPage::CorrectText() const
{
    return fCorrect->text();
}

QString TReviewPage::GivenText() const
{
    return fGiven->text();
}

void TReviewPage::Translate()
{
    std::array<int, FilterCount> counts{};
    for (const TAttemptQuestion &question : fAttempt.questions)
        for (int filter = 0; filter < FilterCount; ++filter)
            counts[size_t(filter)] += Passes(question, TFilter(filter)) ? 1 : 0;
    for (int filter = 0; filter < FilterCount; ++filter)
        fFilters[size_t(filter)]->setText(TrFormat(117 + filter, {counts[size_t(filter)]}));
    fBack->setText(Tr(124));
    SetFilter(fFilter);
}
