// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/SearchPipeline.h"

#include "search/FileSearch.h"
#include "search/SearchReport.h"

#include <QThread>
#include <algorithm>

namespace search {
namespace {

// Files in flight: a share answers each open and read only after a round
// trip, so that many files are asked for at once even where there are
// fewer cores (measured over SFTP in bench/README.md).
constexpr int kFilesInFlight = 8;
// The taker is woken when this many files in a row are done (or the list's
// end, or a file that cannot be read): on one core, waking it for each
// file would cost two thread switches a file.
constexpr int kWakeAfterFiles = 64;

// How often a thread tries to open a file while no descriptor is free.
constexpr int kOpenAttempts = 200;

int workersForTesting = 0;

std::size_t BytesOf(const FileHits& hits)
{
    return std::size_t(hits.lines.size()) * sizeof(QChar);
}

}  // namespace

SearchPipeline::Limits SearchPipeline::DefaultLimits()
{
    const int workers = workersForTesting > 0 ? workersForTesting
                                              : std::max(QThread::idealThreadCount(), kFilesInFlight);
    return Limits{workers, 1024, std::size_t(64) << 20};
}

void SearchPipeline::SetWorkersForTesting(int workers)
{
    workersForTesting = std::max(workers, 0);
}

SearchPipeline::SearchPipeline(QStringList paths, Matcher matcher, Limits limits)
    : paths_(std::move(paths)),
      matcher_(std::move(matcher)),
      limits_{std::max(limits.workers, 1), std::max(limits.filesAhead, 1), limits.bytesAhead},
      count_(int(paths_.size())),
      slots_(std::size_t(std::min(limits_.filesAhead, std::max(count_, 1))))
{
    const int threads = std::min(limits_.workers, count_);
    try {
        for (int i = 0; i < threads; ++i)
            workers_.emplace_back([this] { Work(); });
    } catch (...) {
        Stop();
        for (std::thread& worker : workers_)
            worker.join();
        throw;
    }
}

SearchPipeline::~SearchPipeline()
{
    Stop();
    for (std::thread& worker : workers_)
        worker.join();
}

void SearchPipeline::Stop()
{
    {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    resultReady_.notify_all();
    roomFreed_.notify_all();
}

// A file may be started when it is the one the caller waits for, or when
// it is not too far ahead of it and what is held leaves room.
bool SearchPipeline::MayStart() const
{
    if (next_ >= count_)
        return false;
    if (next_ == taken_)
        return true;
    return next_ - taken_ < int(slots_.size()) && held_ < limits_.bytesAhead;
}

bool SearchPipeline::TakerShouldWake() const
{
    if (readyUpTo_ <= taken_)
        return false;
    return readyUpTo_ - taken_ >= kWakeAfterFiles || readyUpTo_ == count_ || failed_ || !MayStart();
}

FileHits SearchPipeline::SearchFile(FileBuffer& buffer, int index) const
{
    FileHits result;
    const QString& path = paths_[index];
    platform::TextReader reader(path);
    // Where the other threads hold the last free descriptors, one is free
    // again as soon as they finish a file.
    for (int attempt = 0; !reader.IsOpen() && reader.File().OutOfDescriptors() && attempt < kOpenAttempts; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        reader = platform::TextReader(path);
    }
    if (!reader.IsOpen())
        return result;
    result.searched = buffer.Search(
        reader, matcher_,
        [&](const LineHit& hit) {
            result.lines += QLatin1Char('\n');
            AppendHitLine(result.lines, path, hit.index, hit.text);
            ++result.hits;
        },
        &stopped_);
    // A file that failed part-way shows none of its lines.
    if (!result.searched)
        result = FileHits{};
    return result;
}

void SearchPipeline::Work()
{
    FileBuffer buffer;
    std::unique_lock lock(mutex_);
    for (;;) {
        while (!stopped_ && next_ < count_ && !MayStart()) {
            // Full ahead: the caller has results to take.
            if (takerWaits_ && readyUpTo_ > taken_)
                resultReady_.notify_one();
            ++workersWaiting_;
            roomFreed_.wait(lock);
            --workersWaiting_;
        }
        if (stopped_ || next_ >= count_)
            return;
        const int index = next_++;
        lock.unlock();
        Slot done;
        try {
            done.hits = SearchFile(buffer, index);
        } catch (...) {
            done.failure = std::current_exception();
        }
        lock.lock();
        if (stopped_)
            return;
        held_ += BytesOf(done.hits);
        failed_ = failed_ || !done.hits.searched;
        done.ready = true;
        SlotOf(index) = std::move(done);
        while (readyUpTo_ < next_ && SlotOf(readyUpTo_).ready)
            ++readyUpTo_;
        if (takerWaits_ && TakerShouldWake())
            resultReady_.notify_one();
    }
}

bool SearchPipeline::TakeNext(FileHits& out, const std::function<void()>& whileWaiting)
{
    std::unique_lock lock(mutex_);
    if (taken_ >= count_)
        return false;
    while (!stopped_ && readyUpTo_ <= taken_) {
        takerWaits_ = true;
        const bool woken = resultReady_.wait_for(lock, kWaitSlice, [this] { return stopped_ || TakerShouldWake(); });
        takerWaits_ = false;
        if (!woken && readyUpTo_ <= taken_ && whileWaiting) {
            lock.unlock();
            whileWaiting();
            lock.lock();
        }
    }
    if (stopped_)
        return false;
    Slot& slot = SlotOf(taken_);
    const std::exception_ptr failure = slot.failure;
    held_ -= BytesOf(slot.hits);
    out = std::move(slot.hits);
    slot = Slot{};
    ++taken_;
    if (workersWaiting_ > 0)
        roomFreed_.notify_one();
    if (failure)
        std::rethrow_exception(failure);
    return true;
}

}  // namespace search
