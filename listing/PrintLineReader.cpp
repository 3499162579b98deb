#include "listing/PrintLineReader.h"

#include "listing/PrintLineTable.h"

namespace listing {
namespace {

constexpr std::size_t kBlockBytes = 16 * 1024;

}  // namespace

platform::Status TPrintLineReader::Open(const std::string& path) {
    path_ = path;
    return platform::Env::Default()->NewSequentialFile(path, &file_);
}

platform::Status TPrintLineReader::Fill(std::size_t n) {
    if (pos_ + n <= buffer_.size() || atEnd_) return platform::Status::Ok();
    buffer_.erase(0, pos_);
    pos_ = 0;
    while (buffer_.size() < n && !atEnd_) {
        const std::size_t old = buffer_.size();
        buffer_.resize(old + kBlockBytes);
        std::size_t got = 0;
        platform::Status read = file_->Read(kBlockBytes, buffer_.data() + old, &got);
        buffer_.resize(old + got);
        if (!read.ok()) return read;
        atEnd_ = got == 0;
    }
    return platform::Status::Ok();
}

int TPrintLineReader::Peek(std::size_t offset) const {
    const std::size_t at = pos_ + offset;
    return at < buffer_.size() ? static_cast<unsigned char>(buffer_[at]) : -1;
}

platform::Status TPrintLineReader::ReadPrintLine(std::string* text, bool* endsLine) {
    text->clear();
    *endsLine = false;
    // Room for the longest print line and a CR LF after it.
    if (platform::Status filled = Fill(kLongestPrintLine + 2); !filled.ok()) return filled;
    if (Peek(0) < 0) {
        return platform::Status::Error(0, "The listing file " + path_ + " ended early");
    }
    std::size_t length = 0;
    std::size_t characters = 0;
    for (;; ++length, ++characters) {
        const int c = Peek(length);
        if (c < 0) {
            *endsLine = true;
            break;
        }
        if (characters == kLongestPrintLine) break;  // not even the line end fits
        const bool crlf = c == '\r' && Peek(length + 1) == '\n';
        if (c == '\n' || crlf) {
            length += crlf ? 2 : 1;
            *endsLine = true;
            break;
        }
    }
    text->assign(buffer_, pos_, length);
    pos_ += length;
    return platform::Status::Ok();
}

}  // namespace listing
