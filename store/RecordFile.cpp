#include "store/RecordFile.h"

#include <cerrno>
#include <cstring>

namespace store {

RecordReader::RecordReader(std::unique_ptr<platform::SequentialFile> file)
    : file_(std::move(file)), eof_(file_ == nullptr) {
    if (file_) {
        buffer_.resize(ChunkBytes);
    }
}

const char* RecordReader::Next() {
    if (!HaveRecord()) {
        return nullptr;
    }
    const char* record = buffer_.data() + begin_;
    begin_ += RecordSize;
    return record;
}

bool RecordReader::NextRun(const char** records, std::size_t* count) {
    if (!HaveRecord()) {
        return false;
    }
    *records = buffer_.data() + begin_;
    *count = (end_ - begin_) / RecordSize;
    begin_ += *count * RecordSize;
    return true;
}

bool RecordReader::HaveRecord() {
    if (end_ - begin_ >= RecordSize) {
        return true;
    }
    if (!Refill()) {
        return false;
    }
    if (end_ - begin_ < RecordSize) {  // the file has ended
        fragment_ += end_ - begin_;
        begin_ = end_;
        return false;
    }
    return true;
}

bool RecordReader::Refill() {
    if (!status_.ok()) {
        return false;
    }
    const std::size_t left = end_ - begin_;
    if (left > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, left);
    }
    begin_ = 0;
    end_ = left;
    while (!eof_ && end_ < buffer_.size()) {
        std::size_t got = 0;
        status_ = file_->Read(buffer_.size() - end_, buffer_.data() + end_, &got);
        if (!status_.ok()) {
            return false;
        }
        eof_ = got == 0;
        end_ += got;
    }
    return true;
}

platform::Status OpenRecordReader(const std::string& path, std::unique_ptr<RecordReader>* reader) {
    std::unique_ptr<platform::SequentialFile> file;
    platform::Status status = platform::Env::Default()->NewSequentialFile(path, &file);
    if (status.ok() || status.code() == ENOENT) {
        *reader = std::make_unique<RecordReader>(std::move(file));
        return platform::Status::Ok();
    }
    reader->reset();
    return status;
}

RecordWriter::RecordWriter(platform::WritableFile* file) : file_(file) {}

platform::Status RecordWriter::Add(const char* record) {
    if (run_ != nullptr && record == run_ + runBytes_) {
        runBytes_ += RecordSize;
        return platform::Status::Ok();
    }
    platform::Status status = EndRun();
    run_ = record;
    runBytes_ = RecordSize;
    return status;
}

platform::Status RecordWriter::EndRun() {
    if (run_ == nullptr) {
        return platform::Status::Ok();
    }
    platform::Status status = file_->Append(std::string_view(run_, runBytes_));
    run_ = nullptr;
    runBytes_ = 0;
    return status;
}

platform::Status RecordWriter::Finish() {
    platform::Status status = EndRun();
    if (status.ok()) {
        status = file_->Sync();
    }
    if (status.ok()) {
        status = file_->Close();
    }
    return status;
}

}  // namespace store
