// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/SearchPipeline.h"

#include "search/FileSearch.h"
#include "search/SearchReport.h"

#include <QThread>
#include <algorithm>
#include <system_error>

namespace search {
namespace {

// Files in flight where the storage keeps the threads waiting: a share
// answers each open and read only after a round trip, and a disk works best
// on many requests at once, so that many files are asked for at once even
// where there are fewer cores (measured over SFTP in bench/README.md).
// Where the files are in memory, a thread per core does best: more would
// only take turns on the cores.
constexpr int kFilesInFlight = 16;

// A file kept its thread waiting when it took longer than its bytes take
// to read from memory and scan, with room to spare: 50 us and 1 ns a byte
// (a file in the cache takes a few microseconds and 0.2 to 0.5 ns a byte;
// one on a share a round trip, 0.3 ms or more).
bool KeptWaiting(std::chrono::steady_clock::duration took, std::size_t bytes)
{
    return took > std::chrono::microseconds(50) + std::chrono::nanoseconds(bytes);
}
// The taker is woken when this many files in a row are done (or the list's
// end, or a file that cannot be read): on one core, waking it for each
// file would cost two thread switches a file.
constexpr int kWakeAfterFiles = 64;

// How often a thread tries to open a file while no descriptor is free.
constexpr int kOpenAttempts = 200;

// Files a thread takes on at once (see ClaimSize).
constexpr int kFilesPerClaim = 8;

int workersForTesting = 0;

std::size_t BytesOf(const FileHits& hits)
{
    return std::size_t(hits.lines.size()) * sizeof(QChar);
}

}  // namespace

SearchPipeline::Limits SearchPipeline::DefaultLimits()
{
    const int cores = std::max(QThread::idealThreadCount(), 1);
    const int workers = workersForTesting > 0 ? workersForTesting : cores;
    const int maxWorkers = workersForTesting > 0 ? workersForTesting : std::max(cores, kFilesInFlight);
    return Limits{workers, maxWorkers, 1024, std::size_t(64) << 20};
}

void SearchPipeline::SetWorkersForTesting(int workers)
{
    workersForTesting = std::max(workers, 0);
}

SearchPipeline::SearchPipeline(QStringList paths, Matcher matcher, Limits limits)
    : paths_(std::move(paths)),
      matcher_(std::move(matcher)),
      limits_{std::max(limits.workers, 1), std::max(limits.maxWorkers, limits.workers), std::max(limits.filesAhead, 1),
              limits.bytesAhead},
      count_(int(paths_.size())),
      slots_(std::size_t(std::min(limits_.filesAhead, std::max(count_, 1))))
{
    // The threads start at the lock, which a thread that adds another holds too.
    std::unique_lock lock(mutex_);
    const int threads = std::min(limits_.workers, count_);
    try {
        for (int i = 0; i < threads; ++i)
            workers_.emplace_back([this] { Work(); });
    } catch (...) {
        lock.unlock();
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

// Called with the lock held.
void SearchPipeline::AddWorker()
{
    if (stopped_ || next_ >= count_ || int(workers_.size()) >= limits_.maxWorkers)
        return;
    try {
        workers_.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
        // No thread to be had: the ones there go on alone.
    }
}

FileHits SearchPipeline::SearchFile(FileBuffer& buffer, int index, bool& waited) const
{
    const auto started = std::chrono::steady_clock::now();
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
    waited = waited || KeptWaiting(std::chrono::steady_clock::now() - started, reader.Position());
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
        const int first = next_;
        next_ += ClaimSize();
        const int end = next_;
        lock.unlock();
        std::vector<Slot> done(std::size_t(end - first));
        bool waited = false;
        for (int index = first; index < end; ++index) {
            Slot& slot = done[std::size_t(index - first)];
            try {
                slot.hits = SearchFile(buffer, index, waited);
            } catch (...) {
                slot.failure = std::current_exception();
            }
        }
        lock.lock();
        if (stopped_)
            return;
        for (int index = first; index < end; ++index) {
            Slot& slot = done[std::size_t(index - first)];
            held_ += BytesOf(slot.hits);
            failed_ = failed_ || !slot.hits.searched;
            slot.ready = true;
            SlotOf(index) = std::move(slot);
        }
        while (readyUpTo_ < next_ && SlotOf(readyUpTo_).ready)
            ++readyUpTo_;
        if (takerWaits_ && TakerShouldWake())
            resultReady_.notify_one();
        if (waited)
            AddWorker();
    }
}

// How many files in a row a thread takes on at once: a few, so that the
// threads meet at the lock less often, but one where the caller waits for
// that file, and fewer towards the end of the list, so that all threads
// finish about together.
int SearchPipeline::ClaimSize() const
{
    if (next_ == taken_)
        return 1;
    const int room = std::min(count_, taken_ + int(slots_.size())) - next_;
    const int share = (count_ - next_) / (2 * int(workers_.size()));
    return std::clamp(std::min(share, kFilesPerClaim), 1, std::max(room, 1));
}

bool SearchPipeline::TakeNext(FileHits& out, const std::function<void()>& whileWaiting)
{
    if (taking_.empty() && !TakeReady(whileWaiting))
        return false;
    if (stopped_)
        return false;
    Slot slot = std::move(taking_.front());
    taking_.pop_front();
    if (slot.failure)
        std::rethrow_exception(slot.failure);
    out = std::move(slot.hits);
    return true;
}

// Moves every result done in a row from the next file on to the caller's
// side, waiting for the first: one meeting at the lock for many files.
bool SearchPipeline::TakeReady(const std::function<void()>& whileWaiting)
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
    for (; taken_ < readyUpTo_; ++taken_) {
        Slot& slot = SlotOf(taken_);
        held_ -= BytesOf(slot.hits);
        taking_.push_back(std::move(slot));
        slot = Slot{};
    }
    // The threads waiting for room go on once half of it is free again, all
    // together, rather than one at a time for each file taken.
    if (workersWaiting_ > 0 && (next_ - taken_ <= int(slots_.size()) / 2 || held_ <= limits_.bytesAhead / 2))
        roomFreed_.notify_all();
    return true;
}

}  // namespace search
