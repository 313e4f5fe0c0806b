#include "job/read_ahead.hpp"

#include <system_error>
#include <utility>

namespace velquist {

TReadAhead::TReadAhead(const std::vector<std::string>& files, std::size_t threads,
                       std::size_t window)
    : files_(files), window_(window == 0 ? 1 : window), loaded_(files.size()) {
    try {
        for (std::size_t t = 0; t < threads && t < files.size(); ++t)
            threads_.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
        // Fewer threads (none at all: Take loads the files itself).
    }
}

TReadAhead::~TReadAhead() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

bool TReadAhead::MayClaim() const {
    return claimed_ < files_.size() && claimed_ < taken_ + window_;
}

// Claims the next file in list order, loads it without the lock and leaves it
// in its slot. TLoadedReportFile keeps its own errors, so nothing escapes.
void TReadAhead::Work() {
    TLoadedReportFile::TBuffers buffers;
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock,
                      [this] { return stopping_ || MayClaim() || claimed_ == files_.size(); });
        if (stopping_ || claimed_ == files_.size()) return;
        const std::size_t index = claimed_++;
        if (!givenBack_.empty()) {
            std::move(givenBack_.back()).HandMemoryTo(buffers);
            givenBack_.pop_back();
        }
        lock.unlock();
        TLoadedReportFile file(files_[index], buffers);
        lock.lock();
        loaded_[index].emplace(std::move(file));
        changed_.notify_all();
    }
}

// A file no thread has claimed yet is left to the threads all the same: they
// claim in list order, so it is the next one, and every file before it is
// taken, so they are free. Loading it here as well would only make three
// loads share two cores when the job starts.
TLoadedReportFile TReadAhead::Take(std::size_t index) {
    std::unique_lock lock(mutex_);
    taken_ = index + 1;
    if (threads_.empty()) {
        lock.unlock();
        return TLoadedReportFile(files_[index]);
    }
    changed_.notify_all();
    changed_.wait(lock, [this, index] { return loaded_[index].has_value(); });
    TLoadedReportFile file = std::move(*loaded_[index]);
    loaded_[index].reset();
    return file;
}

// Kept only while a thread has a file still to claim, one per thread at most:
// more would only hold memory.
void TReadAhead::GiveBack(TLoadedReportFile&& file) {
    TLoadedReportFile dropped = std::move(file);
    const std::lock_guard lock(mutex_);
    if (claimed_ < files_.size() && givenBack_.size() < threads_.size())
        givenBack_.push_back(std::move(dropped));
}

}  // namespace velquist
