#pragma once
// Reads the listing file back as print lines, through platform::Env.
//
// A print line is one line of the file with its line end (LF, or CR LF as
// written) when the line has at most kLongestPrintLine - 1 characters
// before it; a longer line gives its first kLongestPrintLine characters,
// and its rest is read as the next print line(s). The last line of the file
// may lack a line end.

#include <memory>
#include <string>

#include "platform/Env.h"
#include "platform/Status.h"

namespace listing {

class TPrintLineReader {
public:
    // Opens path for reading. A missing file fails with ENOENT.
    platform::Status Open(const std::string& path);
    // Reads the next print line into *text; *endsLine tells whether it
    // finishes a line of the file. At the end of the file it fails (with no
    // error number) and leaves *text empty; a failed read fails likewise.
    // REQUIRES: Open succeeded.
    platform::Status ReadPrintLine(std::string* text, bool* endsLine);

private:
    // Makes at least n bytes past pos_ available unless the file ends first.
    platform::Status Fill(std::size_t n);
    // The byte at pos_ + offset, or -1 past the end of the file.
    int Peek(std::size_t offset) const;

    std::string path_;
    std::unique_ptr<platform::SequentialFile> file_;
    std::string buffer_;
    std::size_t pos_ = 0;
    bool atEnd_ = false;
};

}  // namespace listing
