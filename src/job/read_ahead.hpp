// Loads a list of report files ahead of the one who reads them, on a few
// threads of its own, so that files are loaded while earlier ones are merged.
// Loading is the half of reading that depends on nothing but the file
// (TLoadedReportFile); the reader takes the files strictly in list order and
// does the other half itself, so what it gets, errors included, is what
// loading them one after the other would give. It neither reads into a
// report nor merges.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "model/report.hpp"
#include "reader/loaded_report_file.hpp"

namespace velquist {

class TReadAhead {
  public:
    // Starts loading; at most `window` files are loaded or loading beyond
    // the last one taken, which bounds the memory they hold.
    TReadAhead(const std::vector<std::string>& files, std::size_t threads, std::size_t window);
    TReadAhead(const TReadAhead&) = delete;
    TReadAhead& operator=(const TReadAhead&) = delete;
    // Stops loading; files being loaded are finished and dropped.
    ~TReadAhead();

    // File `index` of the list, waiting for it; indices must come 0, 1, 2, ...
    TLoadedReportFile Take(std::size_t index);
    // Gives back a taken file once it is read, so that a file still to be
    // loaded reuses its memory.
    void GiveBack(TLoadedReportFile&& file);

  private:
    void Work();
    bool MayClaim() const;

    const std::vector<std::string>& files_;
    const std::size_t window_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::optional<TLoadedReportFile>> loaded_;
    std::vector<TLoadedReportFile> givenBack_;  // read, their memory to be reused
    std::size_t claimed_ = 0;                   // files [0, claimed_) are loaded, loading or taken
    std::size_t taken_ = 0;                     // files [0, taken_) are taken
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace velquist
