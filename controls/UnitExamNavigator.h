#pragma once

#include "UnitExamProgress.h"

#include <QIcon>
#include <QObject>
#include <QSet>

#include <array>
#include <functional>
#include <vector>

class QKeyEvent;
class QLabel;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TExamModel;

// The question tree of the exam page and what helps a learner find their way through it: each
// question shows whether it is answered and whether it is flagged for review, each subject and
// the exam show how many of each; a flag toggle (beside the clock), "next unanswered" and "next
// flagged" (under the tree), and their keys:
//   F        flag or unflag the question
//   U        the next unanswered question
//   Shift+F  the next flagged question
class TExamNavigator : public QObject
{
public:
    TExamNavigator(QTreeWidget *tree, QWidget *parent);

    QToolButton *FlagButton() const { return fFlagButton; }
    QWidget *Footer() const { return fFooter; }

    // Builds the tree of the exam with its flags; an exam of nothing empties it.
    void Fill(const TExamModel &exam, const QSet<int> &flags);
    void Clear();
    // The question's answer changed.
    void AnswerChanged(int index, bool answered);

    int IndexOf(const QTreeWidgetItem *item) const; // -1 for a subject node
    QTreeWidgetItem *Node(int index) const;
    int CurrentIndex() const;

    const QSet<int> &Flags() const { return fFlags; }
    void ToggleFlag();
    void GoToNextUnanswered();
    void GoToNextFlagged();
    // One of the keys above; whether it was one.
    bool HandleKey(const QKeyEvent &event);

    void Translate();

    // A flag was set or taken away, to be kept.
    std::function<void(int index, bool flagged)> OnFlagChanged;

private:
    struct TSubjectRange
    {
        QTreeWidgetItem *item;
        int first;
        int count;
    };

    void DecorateQuestion(int index);
    void Decorate(int index); // the question, its subject, the totals
    void DecorateSubject(const TSubjectRange &subject);
    void ShowTotals();
    void CurrentChanged();
    void GoTo(int index);
    const TSubjectRange *SubjectOf(int index) const;

    QTreeWidget *fTree;
    QWidget *fFooter;
    QLabel *fTotals;
    QToolButton *fFlagButton, *fNextUnanswered, *fNextFlagged;
    std::vector<TSubjectRange> fSubjects;
    std::vector<bool> fAnswered;
    QSet<int> fFlags;
    std::array<QIcon, 4> fStateIcons; // by answered + 2 * flagged
    QIcon fFlagIcon;
};
