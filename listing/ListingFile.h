#pragma once
// The listing file listd.tmp in the data directory: the entry lines of the
// last report, handed to the print run after the reports dialog has closed.
//
// Byte format: single-byte text (Windows-1252 bytes as stored in the diary,
// never converted), every line ended by CR LF, the last one included. The
// first line is the heading "Date\tEvents\tScore\tDate/time entered"; each
// later line is one listed entry line or piece. No blank, search or
// separator lines.

#include <memory>
#include <string>
#include <string_view>

#include "platform/Env.h"
#include "platform/Status.h"

namespace listing {

inline constexpr std::string_view kListingFileName = "listd.tmp";
inline constexpr std::string_view kListingHeading = "Date\tEvents\tScore\tDate/time entered";
inline constexpr std::string_view kLineEnd = "\r\n";

// The listing file's path in dataDir.
std::string ListingPath(std::string_view dataDir);

// Writes one listing file through platform::Env. Lines are gathered in
// memory and written in large blocks.
//
// After the first failure nothing more goes through the file: the partly
// written file is closed and removed at once (no half listing is left for
// printing), and later calls do nothing and return that failure.
class TListingFile {
public:
    TListingFile() = default;
    // An open file is closed without its pending lines being written.
    ~TListingFile();
    TListingFile(const TListingFile&) = delete;
    TListingFile& operator=(const TListingFile&) = delete;

    // Removes the old listing file of dataDir (a missing one is fine; one
    // that cannot be removed is replaced by creating the file afresh),
    // creates the new one and writes the heading line.
    // REQUIRES: called once, first.
    platform::Status OpenListingFile(std::string_view dataDir);
    // Adds line (bytes as stored, without a line end) and CR LF.
    platform::Status AppendListingLine(std::string_view line);
    // Writes what is pending and closes the file. Ok only when the heading
    // and every line appended are in the file.
    platform::Status CloseListingFile();

    // Ok, or the first failure.
    const platform::Status& status() const { return status_; }

private:
    platform::Status WritePending();
    platform::Status Fail(platform::Status failure);

    std::string path_;
    std::unique_ptr<platform::WritableFile> file_;
    std::string pending_;
    bool created_ = false;  // this object created the file at path_
    platform::Status status_;
};

}  // namespace listing
