// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search of a run's files, many at a time: worker threads open, read and
// scan the listed files ahead of the caller, each into a result of its own,
// and the caller takes the results in list order, so that the report is the
// same as one file after the other gives. Enough files are in flight to hide
// the time a share takes to answer each request, and the scans use every
// core. What is held for files not taken yet is bounded, in files and in
// bytes, whatever the list.
#include "search/SearchMatcher.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace search {

// The search of one file: its hit lines as the report holds them.
struct FileHits {
    bool searched = false;  // false: the file could not be opened or read
    int hits = 0;
    QString lines;  // each hit line preceded by LF
};

class SearchPipeline {
public:
    struct Limits {
        int workers;             // threads that open, read and scan, at first
        int maxWorkers;          // as many as there may be while files keep them waiting
        int filesAhead;          // files in flight or done and not taken yet
        std::size_t bytesAhead;  // the hit lines held for files not taken yet
    };
    // A thread per core, and more, up to enough for the files in flight on
    // a share, when the files keep them waiting.
    static Limits DefaultLimits();
    // Lets a benchmark fix the number of threads every later search uses;
    // 0 brings back the default.
    static void SetWorkersForTesting(int workers);

    // How long the caller waits at a time before whileWaiting runs.
    static constexpr std::chrono::milliseconds kWaitSlice{25};

    SearchPipeline(QStringList paths, Matcher matcher, Limits limits = DefaultLimits());
    // Stops the workers after the blocks at hand and waits for them.
    ~SearchPipeline();
    SearchPipeline(const SearchPipeline&) = delete;
    SearchPipeline& operator=(const SearchPipeline&) = delete;

    // The result of the next file of the list, the first call taking the
    // first file. Waits for it, running whileWaiting every kWaitSlice of the
    // wait; false, with nothing taken, once Stop was called. A failure of
    // the search itself (no memory) is thrown here.
    bool TakeNext(FileHits& out, const std::function<void()>& whileWaiting = {});
    // Stops the search: files not taken yet are never taken, and the
    // workers leave the files at hand after the block they read.
    void Stop();

private:
    struct Slot {
        FileHits hits;
        std::exception_ptr failure;
        bool ready = false;
    };

    void Work();
    void AddWorker();
    FileHits SearchFile(class FileBuffer& buffer, int index, bool& waited) const;
    bool TakeReady(const std::function<void()>& whileWaiting);
    bool MayStart() const;
    int ClaimSize() const;
    bool TakerShouldWake() const;
    Slot& SlotOf(int index) { return slots_[std::size_t(index) % slots_.size()]; }

    const QStringList paths_;
    const Matcher matcher_;
    const Limits limits_;
    const int count_;
    std::atomic<bool> stopped_{false};

    std::mutex mutex_;
    std::condition_variable resultReady_;  // the taker waits here
    std::condition_variable roomFreed_;    // workers wait here for room ahead
    std::vector<Slot> slots_;
    int next_ = 0;        // the first file no worker has started
    int taken_ = 0;       // the next file the caller takes
    int readyUpTo_ = 0;   // the files before this one are all done
    std::size_t held_ = 0;  // bytes of hit lines done and not taken
    bool failed_ = false;   // a file done could not be read
    bool takerWaits_ = false;
    int workersWaiting_ = 0;
    std::deque<Slot> taking_;  // taken by the caller, not yet handed out

    std::vector<std::thread> workers_;
};

}  // namespace search
