#include <utility>

#include "store/Diary.h"

namespace store {

DiaryReader::~DiaryReader() = default;

bool DiaryReader::ReadNext(TEntryRecord* record, unsigned fields) {
    current_ = records_ ? records_->Next() : nullptr;
    if (current_ == nullptr) {
        if (records_) {
            status_ = records_->status();
        }
        return false;
    }
    DecodeRecord(current_, record, fields);
    return true;
}

void DiaryReader::DecodeMore(TEntryRecord* record, unsigned fields) const {
    if (current_ != nullptr) {
        DecodeRecord(current_, record, fields);
    }
}

std::unique_ptr<DiaryReader> OpenDiaryForReading(std::string_view dataDir) {
    std::unique_ptr<DiaryReader> reader(new DiaryReader);
    reader->status_ = OpenRecordReader(DiaryPath(dataDir), &reader->records_);
    return reader;
}

bool ReadNextRecord(DiaryReader& reader, TEntryRecord* record) {
    return reader.ReadNext(record);
}

void CloseDiary(std::unique_ptr<DiaryReader> reader) {
    reader.reset();
}

}  // namespace store
