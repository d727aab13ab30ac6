#include "UnitAutosaver.h"

#include "UnitExamModel.h"

TAutosaver::TAutosaver(TRecoveryStore store) : fStore(std::move(store)), fThread([this] { Run(); }) {}

TAutosaver::~TAutosaver()
{
    {
        std::lock_guard lock(fMutex);
        fStopping = true;
    }
    fChanged.notify_all();
    fThread.join();
}

void TAutosaver::Submit(std::unique_ptr<TExamModel> snapshot, TRecoveryInfo info)
{
    {
        std::lock_guard lock(fMutex);
        // Only the newest state matters: a snapshot still waiting is replaced.
        if (!fJobs.empty() && fJobs.back().snapshot)
            fJobs.pop_back();
        fJobs.push_back({std::move(snapshot), std::move(info)});
    }
    fChanged.notify_all();
}

void TAutosaver::Discard()
{
    {
        std::lock_guard lock(fMutex);
        fJobs.clear();
        fJobs.push_back({});
    }
    fChanged.notify_all();
}

void TAutosaver::Flush()
{
    std::unique_lock lock(fMutex);
    fChanged.wait(lock, [this] { return fJobs.empty() && !fWorking; });
}

void TAutosaver::Run()
{
    std::unique_lock lock(fMutex);
    for (;;) {
        fChanged.wait(lock, [this] { return fStopping || !fJobs.empty(); });
        if (fJobs.empty())
            return; // stopping, with nothing left to do
        TJob job = std::move(fJobs.front());
        fJobs.pop_front();
        fWorking = true;
        lock.unlock();
        try {
            if (job.snapshot)
                fStore.Write(*job.snapshot, job.info);
            else
                fStore.Remove();
        } catch (const std::exception &) {
            // A copy that could not be written leaves the previous one, which the next change
            // tries to replace again; the exam itself never depends on it.
        }
        job.snapshot.reset();
        lock.lock();
        fWorking = false;
        fChanged.notify_all();
    }
}
