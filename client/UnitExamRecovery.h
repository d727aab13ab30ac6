#pragma once

#include "UnitAutosaver.h"

#include <functional>
#include <optional>

class QWidget;
class TExamModel;
class TFormRecovery;

// The client's side of the recovery copy: when it is written, when it goes, and the offer of it
// at the next start. Exit and closing the window keep it; saving the exam to its file and
// discarding the exam on purpose remove it.
class TExamRecovery
{
public:
    // Seconds of the exam clock between two copies of a running exam.
    static constexpr int ClockInterval = 15;

    explicit TExamRecovery(TRecoveryStore store = TRecoveryStore());

    // The exam changed (an answer, a move to another question, its end): a new copy is written.
    void Changed(const TExamModel &exam, const QString &fileName, int page);
    // A second of the exam clock went by.
    void ClockTick(const TExamModel &exam, const QString &fileName, int page);
    // The exam was saved to its file, or discarded on purpose.
    void Forget();
    // The window goes: the latest state of an exam with unsaved work is written before it does.
    void Closing(const TExamModel *exam, const QString &fileName, int page);

    struct TResume
    {
        QString examPath; // the copy's exam file, to open
        TRecoveryInfo info;
    };
    // At start: offers a copy that exists. The copy to open when the learner continues; a damaged
    // copy is moved aside and reported once.
    std::optional<TResume> Offer(QWidget *parent);
    // Shows the offer and returns its outcome; tests replace it.
    std::function<int(TFormRecovery &dialog)> ShowOffer;

    const TRecoveryStore &Store() const { return fSaver.Store(); }
    // Waits until the copy on disk is the latest (tests).
    void Flush() { fSaver.Flush(); }

private:
    TAutosaver fSaver;
    bool fUnsaved = false;
    int fTicks = 0;
};
