#pragma once

#include "UnitAttempt.h"

#include <QByteArray>
#include <QList>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;
class TPaintBox;
class TQuestionPicture;

// The review of a finished exam: its questions, filtered (all, wrong, unanswered, flagged,
// right); the chosen one with its picture (zoomed as on the exam page) and the correct and the
// given answer side by side, in readable form. Up and Down move through the filtered list.
class TReviewPage : public QWidget
{
public:
    enum TFilter { rfAll, rfWrong, rfUnanswered, rfFlagged, rfRight, FilterCount };

    explicit TReviewPage(QWidget *parent = nullptr);
    ~TReviewPage() override;

    // pictures: by question index, shared with the exam.
    void Show(const TAttempt &attempt, const QList<QByteArray> &pictures);
    void SetFilter(TFilter filter);
    TFilter Filter() const { return fFilter; }
    // The questions the filter shows (their numbers, from 1), and the chosen one (0: none).
    QList<int> Shown() const;
    int Current() const;
    QString CorrectText() const;
    QString GivenText() const;
    QListWidget *List() const { return fList; }
    QToolButton *FilterButton(TFilter filter) const { return fFilters[filter]; }

    void Translate();
    std::function<void()> OnBack;

private:
    bool Passes(const TAttemptQuestion &question, TFilter filter) const;
    void Fill();
    void Choose(int row);

    TAttempt fAttempt;
    QList<QByteArray> fPictures;
    TFilter fFilter = rfAll;
    std::array<QToolButton *, FilterCount> fFilters{};
    QListWidget *fList;
    TPaintBox *fPicture;
    std::unique_ptr<TQuestionPicture> fZoom;
    QLabel *fCorrect, *fGiven;
    QPushButton *fBack;
};
