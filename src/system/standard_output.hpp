// Standard output and standard error as stream buffers that tell a failed
// write: the bytes go straight to the stream's file (a descriptor on POSIX,
// a HANDLE on Windows) and the first failure is kept with the system's error
// number, so that the program can exit with an error instead of claiming a
// success that was never written. A stream that the program was started with
// closed fails at its first write; on POSIX its number is given /dev/null
// first, so that no file the program opens takes it and receives the text.
#pragma once

#include <streambuf>
#include <string>
#include <string_view>

#include "system/temporary_file.hpp"

namespace velquist {

enum class TStandardStream { Output, Error };

class TStandardOutputBuffer : public std::streambuf {
  public:
    // Output is sent when the buffer fills and on Flush; Error at every line end.
    explicit TStandardOutputBuffer(TStandardStream stream);
    TStandardOutputBuffer(const TStandardOutputBuffer&) = delete;
    TStandardOutputBuffer& operator=(const TStandardOutputBuffer&) = delete;
    ~TStandardOutputBuffer() override;

    // Sends what is buffered; false when a write has failed.
    bool Flush();
    // 0, or the error number of the first failed write (then nothing more is
    // sent).
    int ErrorNumber() const { return error_; }

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

  private:
    void Send(std::string_view bytes);

    TFileDescriptor file_;
    bool lineBuffered_;
    int error_ = 0;
    std::string buffer_;
};

// The platform's half: the stream's file, or NoFileDescriptor when the program
// was started with it closed (on POSIX, after /dev/null took its number), and
// the error number that a write to a closed stream gives.
TFileDescriptor StandardStreamFile(TStandardStream stream);
int ClosedStreamErrorNumber();

}  // namespace velquist
