#pragma once

#include "UnitRecoveryStore.h"

#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class TExamModel;

// Keeps the recovery copy on a worker thread of its own, so that the window never waits for
// compression or the disk. The window hands over a snapshot (TExamModel::Clone); a newer snapshot
// replaces one still waiting. Discard drops what waits and deletes the copy, after any write
// already under way.
class TAutosaver
{
public:
    explicit TAutosaver(TRecoveryStore store);
    // Finishes what was handed over, then stops.
    ~TAutosaver();
    TAutosaver(const TAutosaver &) = delete;
    TAutosaver &operator=(const TAutosaver &) = delete;

    void Submit(std::unique_ptr<TExamModel> snapshot, TRecoveryInfo info);
    void Discard();
    // Waits until everything handed over is done.
    void Flush();

    const TRecoveryStore &Store() const { return fStore; }

private:
    struct TJob
    {
        std::unique_ptr<TExamModel> snapshot; // none: delete the copy
        TRecoveryInfo info;
    };

    void Run();

    const TRecoveryStore fStore;
    std::mutex fMutex;
    std::condition_variable fChanged;
    std::deque<TJob> fJobs;
    bool fWorking = false;
    bool fStopping = false;
    std::thread fThread;
};
