// Loading a report file ahead of reading it, for the merge job, which loads
// files on threads of its own while earlier ones are merged and reuses their
// memory (TMT4TestReport::ReadFromFile of model/report.hpp takes the result).
#pragma once

#include <exception>
#include <memory>
#include <string>

#include "system/large_memory.hpp"
#include "system/text_file.hpp"

namespace velquist {

// The half of ReadFromFile that does not depend on the report read into: the
// file loaded, its tags stripped and its rows parsed (read_report.cpp).
// Being independent of everything else, it may be made on any thread and
// ahead of time. An error of loading is kept and raised by the
// ReadFromFile that takes it, just where reading that file would raise it.
class TLoadedReportFile {
    struct TParts;

  public:
    explicit TLoadedReportFile(const std::string& fileName);
    // Memory that loading one file after another reuses: fresh memory costs a
    // page fault per 4 KiB, about as much as the work done in it.
    struct TBuffers {
        TBuffers();
        ~TBuffers();
        TTextFileBuffers File;
        TLargeBuffer Cells;  // the cell text, before the loaded file keeps a copy
        // What a file read before still held (HandMemoryTo), refilled by the
        // next file loaded through these buffers.
        std::unique_ptr<TParts> Spare;
    };
    // The same, loading through the caller's buffers.
    TLoadedReportFile(const std::string& fileName, TBuffers& buffers);
    TLoadedReportFile(TLoadedReportFile&& other) noexcept;
    TLoadedReportFile& operator=(TLoadedReportFile&& other) noexcept;
    ~TLoadedReportFile();

    // Once read into a report, the file still holds memory: its text, its
    // lines and the rows that the report held before. This hands it on to
    // the next file loaded through `buffers`; the file is then empty.
    void HandMemoryTo(TBuffers& buffers) &&;

  private:
    friend class TMT4TestReport;
    std::string fileName_;
    std::exception_ptr error_;
    std::unique_ptr<TParts> parts_;
};

}  // namespace velquist
