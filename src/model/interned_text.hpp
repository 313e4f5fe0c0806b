// TText: a text of an operation row (its type, its symbol) held once per
// process. A report has a handful of different types and symbols but up to
// millions of rows, and the merge copies and moves rows many times over, so a
// row holds only a pointer to its texts: rows copy and move as plain bytes.
// Two TTexts are equal exactly when their bytes are. The texts are never freed
// (there are few), and may be made on any thread.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

namespace velquist {

class TText {
  public:
    TText() = default;
    TText(std::string_view text);  // NOLINT: a text stands for its bytes
    TText(const char* text) : TText(std::string_view(text)) {}
    TText(const std::string& text) : TText(std::string_view(text)) {}

    operator std::string_view() const { return *text_; }
    const std::string& String() const { return *text_; }
    const char* data() const { return text_->data(); }
    std::size_t size() const { return text_->size(); }
    bool empty() const { return text_->empty(); }

    // One copy per different text, so equal texts hold the same pointer.
    friend bool operator==(TText a, TText b) { return a.text_ == b.text_; }
    friend bool operator==(TText a, std::string_view b) { return *a.text_ == b; }
    friend bool operator==(TText a, const char* b) { return *a.text_ == b; }
    friend bool operator==(TText a, const std::string& b) { return *a.text_ == b; }

  private:
    static const std::string Empty;
    const std::string* text_ = &Empty;
};

std::ostream& operator<<(std::ostream& out, TText text);

}  // namespace velquist
