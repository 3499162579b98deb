#pragma once
// Whole records to and from a file in large chunks. Reading and rebuilding
// stream the diary through these: memory stays at one chunk whatever the
// diary's size, and each system call moves about 64 KiB.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Env.h"
#include "platform/Status.h"
#include "store/EntryRecord.h"

namespace store {

// Records per chunk: 123 records are 65,682 bytes, just over 64 KiB.
inline constexpr std::size_t ChunkRecords = 123;
inline constexpr std::size_t ChunkBytes = ChunkRecords * RecordSize;
static_assert(ChunkBytes >= 64 * 1024 && ChunkBytes - RecordSize < 64 * 1024,
              "a chunk is the fewest whole records that reach 64 KiB");

// Reads the whole records of a file in file order. A trailing fragment
// shorter than a record is not a record and is skipped.
class RecordReader {
public:
    // file may be null: the reader then holds no records (an absent diary).
    explicit RecordReader(std::unique_ptr<platform::SequentialFile> file);

    // The next record's RecordSize bytes, valid until the next call; nullptr
    // at the end of the file or after a failed read (see status()).
    const char* Next();
    // The next run of whole records, *count of them (at least one) one after
    // another at *records, valid until the next call; false at the end of
    // the file or after a failed read.
    bool NextRun(const char** records, std::size_t* count);
    // Ok, or the failed read that ended the records early.
    const platform::Status& status() const { return status_; }
    // Length of the trailing fragment skipped at the end, 0 when none.
    std::size_t fragmentSize() const { return fragment_; }

private:
    // True when a whole record is buffered, reading more when needed.
    bool HaveRecord();
    // Moves the unread bytes to the front and reads until the chunk is full
    // or the file ends. False on a failed read.
    bool Refill();

    std::unique_ptr<platform::SequentialFile> file_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    std::size_t fragment_ = 0;
    platform::Status status_;
};

// Opens path for RecordReader. An absent file (ENOENT) is Ok and reads as
// empty; any other failure to open is returned and *reader is left null.
platform::Status OpenRecordReader(const std::string& path, std::unique_ptr<RecordReader>* reader);

// Writes whole records to a file without copying them: records that lie one
// after another in memory are gathered into one write.
class RecordWriter {
public:
    // file must outlive the writer.
    explicit RecordWriter(platform::WritableFile* file);

    // Adds one record (RecordSize bytes at record). REQUIRES: the bytes stay
    // unchanged until the next EndRun or Finish.
    platform::Status Add(const char* record);
    // Writes the records added so far; call before their memory is reused.
    platform::Status EndRun();
    // Writes what is left, syncs and closes the file. Ok only when every
    // record added is on the device.
    platform::Status Finish();

private:
    platform::WritableFile* file_;
    const char* run_ = nullptr;
    std::size_t runBytes_ = 0;
};

}  // namespace store
