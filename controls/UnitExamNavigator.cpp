#include "UnitExamNavigator.h"

#include "UnitArtwork.h"
#include "UnitExamModel.h"
#include "UnitAnswerKeys.h"
#include "UnitTranslate.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>

namespace {

enum TColumn { colName, colAnswered, colFlagged, ColumnCount };

QToolButton *CommandButton(QWidget *parent, Artwork::TImage image)
{
    auto *button = new QToolButton(parent);
    button->setIcon(Artwork::Icon(image));
    button->setIconSize(QSize(28, 28));
    button->setAutoRaise(true);
    return button;
}

} // namespace

TExamNavigator::TExamNavigator(QTreeWidget *tree, QWidget *parent)
    : QObject(parent), fTree(tree), fFooter(new QWidget(parent)), fTotals(new QLabel(fFooter))
{
    fTree->setColumnCount(ColumnCount);
    QHeaderView *header = fTree->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(colName, QHeaderView::Stretch);
    header->setSectionResizeMode(colAnswered, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(colFlagged, QHeaderView::ResizeToContents);

    fStateIcons = {Artwork::Icon(Artwork::imgUnanswered), Artwork::Icon(Artwork::imgAnswered),
                   Artwork::Icon(Artwork::imgUnansweredFlagged), Artwork::Icon(Artwork::imgAnsweredFlagged)};
    fFlagIcon = Artwork::Icon(Artwork::imgReviewFlag);
    fFlagButton = CommandButton(parent, Artwork::imgReviewFlag);
    fFlagButton->setCheckable(true);
    fFlagButton->setAutoRaise(false); // framed like Finish, and pressed in while the question is flagged
    fFlagButton->setFixedSize(42, 42);
    fFlagButton->setFocusPolicy(Qt::NoFocus); // the keys stay with the tree
    fNextUnanswered = CommandButton(fFooter, Artwork::imgNextUnanswered);
    fNextFlagged = CommandButton(fFooter, Artwork::imgNextFlagged);
    auto *layout = new QHBoxLayout(fFooter);
    layout->setContentsMargins(8, 4, 4, 4);
    layout->addWidget(fTotals, 1);
    layout->addWidget(fNextUnanswered);
    layout->addWidget(fNextFlagged);
    QFont small = fTotals->font();
    small.setPixelSize(13);
    fTotals->setFont(small);

    connect(fFlagButton, &QToolButton::clicked, this, [this] { ToggleFlag(); });
    connect(fNextUnanswered, &QToolButton::clicked, this, [this] { GoToNextUnanswered(); });
    connect(fNextFlagged, &QToolButton::clicked, this, [this] { GoToNextFlagged(); });
    connect(fTree, &QTreeWidget::currentItemChanged, this, [this] { CurrentChanged(); });
    Translate();
}

void TExamNavigator::Fill(const TExamModel &exam, const QSet<int> &flags)
{
    const QSignalBlocker quiet(fTree);
    fTree->clear();
    fSubjects.clear();
    fAnswered = AnsweredQuestions(exam);
    fFlags.clear();
    for (int index : flags)
        if (index >= 0 && index < int(fAnswered.size()))
            fFlags.insert(index);
    int first = 0;
    for (const auto &predmet : exam.Predmets) {
        auto *subject = new QTreeWidgetItem(fTree, {predmet->Name});
        subject->setIcon(colName, Artwork::Icon(Artwork::imgFolder));
        const int count = predmet->QuestionsCount();
        for (int i = 0; i < count; ++i)
            new QTreeWidgetItem(subject, {QString::number(first + i + 1)});
        fSubjects.push_back({subject, first, count});
        first += count;
    }
    fTree->expandAll();
    Translate();
}

void TExamNavigator::Clear()
{
    const QSignalBlocker quiet(fTree);
    fTree->clear();
    fSubjects.clear();
    fAnswered.clear();
    fFlags.clear();
    Translate();
}

void TExamNavigator::AnswerChanged(int index, bool answered)
{
    if (index < 0 || index >= int(fAnswered.size()) || fAnswered[size_t(index)] == answered)
        return;
    fAnswered[size_t(index)] = answered;
    Decorate(index);
}

const TExamNavigator::TSubjectRange *TExamNavigator::SubjectOf(int index) const
{
    for (const TSubjectRange &subject : fSubjects)
        if (index >= subject.first && index < subject.first + subject.count)
            return &subject;
    return nullptr;
}

int TExamNavigator::IndexOf(const QTreeWidgetItem *item) const
{
    if (!item || !item->parent())
        return -1;
    for (const TSubjectRange &subject : fSubjects)
        if (subject.item == item->parent())
            return subject.first + subject.item->indexOfChild(const_cast<QTreeWidgetItem *>(item));
    return -1;
}

QTreeWidgetItem *TExamNavigator::Node(int index) const
{
    const TSubjectRange *subject = SubjectOf(index);
    return subject ? subject->item->child(index - subject->first) : nullptr;
}

int TExamNavigator::CurrentIndex() const
{
    return IndexOf(fTree->currentItem());
}

void TExamNavigator::DecorateQuestion(int index)
{
    QTreeWidgetItem *node = Node(index);
    if (!node)
        return;
    const bool answered = fAnswered[size_t(index)], flagged = fFlags.contains(index);
    node->setIcon(colName, fStateIcons[(answered ? 1 : 0) + (flagged ? 2 : 0)]);
    QString description = TrFormat(100, {index + 1}) + QStringLiteral(", ") + Tr(answered ? 101 : 102);
    if (flagged)
        description += QStringLiteral(", ") + Tr(103);
    node->setData(colName, Qt::AccessibleTextRole, description);
    node->setToolTip(colName, description);
}

void TExamNavigator::Decorate(int index)
{
    const TSubjectRange *subject = SubjectOf(index);
    if (!subject)
        return;
    DecorateQuestion(index);
    DecorateSubject(*subject);
    ShowTotals();
    CurrentChanged();
}

void TExamNavigator::DecorateSubject(const TSubjectRange &subject)
{
    const TQuestionCounts counts = CountQuestions(fAnswered, fFlags, subject.first, subject.count);
    QTreeWidgetItem *item = subject.item;
    item->setText(colAnswered, QStringLiteral("%1/%2").arg(counts.Answered).arg(subject.count));
    item->setText(colFlagged, counts.Flagged > 0 ? QString::number(counts.Flagged) : QString());
    item->setIcon(colFlagged, counts.Flagged > 0 ? fFlagIcon : QIcon());
    const QString description = TrFormat(99, {item->text(colName), counts.Answered, counts.Unanswered, counts.Flagged});
    for (int column = 0; column < ColumnCount; ++column) {
        item->setToolTip(column, description);
        item->setData(column, Qt::AccessibleTextRole, description);
    }
}

void TExamNavigator::ShowTotals()
{
    const TQuestionCounts counts = CountQuestions(fAnswered, fFlags, 0, int(fAnswered.size()));
    fTotals->setText(TrFormat(98, {counts.Answered, counts.Unanswered, counts.Flagged}));
    fNextUnanswered->setEnabled(counts.Unanswered > 0);
    fNextFlagged->setEnabled(counts.Flagged > 0);
}

void TExamNavigator::CurrentChanged()
{
    const int index = CurrentIndex();
    fFlagButton->setEnabled(index >= 0);
    fFlagButton->setChecked(fFlags.contains(index));
}

void TExamNavigator::ToggleFlag()
{
    const int index = CurrentIndex();
    if (index < 0) {
        fFlagButton->setChecked(false);
        return;
    }
    const bool flagged = !fFlags.contains(index);
    if (flagged)
        fFlags.insert(index);
    else
        fFlags.remove(index);
    Decorate(index);
    if (OnFlagChanged)
        OnFlagChanged(index, flagged);
    fTree->setFocus();
}

void TExamNavigator::GoTo(int index)
{
    if (QTreeWidgetItem *node = Node(index)) {
        fTree->setCurrentItem(node);
        node->setSelected(true);
    }
    fTree->setFocus();
}

void TExamNavigator::GoToNextUnanswered()
{
    GoTo(NextQuestion(int(fAnswered.size()), CurrentIndex(), [this](int index) { return !fAnswered[size_t(index)]; }));
}

void TExamNavigator::GoToNextFlagged()
{
    GoTo(NextQuestion(int(fAnswered.size()), CurrentIndex(), [this](int index) { return fFlags.contains(index); }));
}

bool TExamNavigator::HandleKey(const QKeyEvent &event)
{
    if (fSubjects.empty() || (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const QChar letter = TAnswerKeys::LatinLetter(event);
    const bool shift = event.modifiers() & Qt::ShiftModifier;
    if (letter == u'F')
        shift ? GoToNextFlagged() : ToggleFlag();
    else if (letter == u'U' && !shift)
        GoToNextUnanswered();
    else
        return false;
    return true;
}

void TExamNavigator::Translate()
{
    for (QToolButton *button : {fFlagButton, fNextUnanswered, fNextFlagged}) {
        const QString text = Tr(button == fFlagButton ? 95 : button == fNextUnanswered ? 96 : 97);
        button->setToolTip(text);
        button->setAccessibleName(text);
    }
    for (int index = 0; index < int(fAnswered.size()); ++index)
        DecorateQuestion(index);
    for (const TSubjectRange &subject : fSubjects)
        DecorateSubject(subject);
    ShowTotals();
    CurrentChanged();
}
