#include "system/standard_output.hpp"

namespace velquist {
namespace {

constexpr std::size_t BufferSize = 1 << 16;

}  // namespace

TStandardOutputBuffer::TStandardOutputBuffer(TStandardStream stream)
    : file_(StandardStreamFile(stream)), lineBuffered_(stream == TStandardStream::Error) {
    buffer_.reserve(BufferSize);
}

TStandardOutputBuffer::~TStandardOutputBuffer() { Flush(); }

void TStandardOutputBuffer::Send(std::string_view bytes) {
    if (error_ != 0 || bytes.empty()) return;
    if (file_ == NoFileDescriptor)
        error_ = ClosedStreamErrorNumber();
    else
        error_ = WriteAll(file_, bytes);
}

bool TStandardOutputBuffer::Flush() {
    Send(buffer_);
    buffer_.clear();
    return error_ == 0;
}

TStandardOutputBuffer::int_type TStandardOutputBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    xsputn(&byte, 1);
    return c;
}

std::streamsize TStandardOutputBuffer::xsputn(const char* s, std::streamsize n) {
    const std::string_view bytes(s, static_cast<std::size_t>(n));
    if (buffer_.size() + bytes.size() > BufferSize) {
        Flush();
        if (bytes.size() > BufferSize) {
            Send(bytes);
            return n;
        }
    }
    buffer_.append(bytes);
    if (lineBuffered_ && bytes.find('\n') != std::string_view::npos) Flush();
    return n;
}

// The stream's failure is told by ErrorNumber, not by the stream's state, so
// that all output is tried and the first failure kept.
int TStandardOutputBuffer::sync() {
    Flush();
    return 0;
}

}  // namespace velquist
