#include "listing/ListingFile.h"

#include <cerrno>
#include <utility>

namespace listing {
namespace {

// Pending lines are written once they reach this size.
constexpr std::size_t kBlockBytes = 64 * 1024;

}  // namespace

std::string ListingPath(std::string_view dataDir) {
    return platform::JoinPath(dataDir, kListingFileName);
}

TListingFile::~TListingFile() = default;

platform::Status TListingFile::OpenListingFile(std::string_view dataDir) {
    path_ = ListingPath(dataDir);
    platform::Env* env = platform::Env::Default();
    // A listing that cannot be removed is truncated by the creation below;
    // if that fails too, the failure is reported from there.
    (void)env->RemoveFile(path_);
    platform::Status created = env->NewWritableFile(path_, &file_);
    if (!created.ok()) {
        return Fail(std::move(created));
    }
    created_ = true;
    return AppendListingLine(kListingHeading);
}

platform::Status TListingFile::AppendListingLine(std::string_view line) {
    if (!status_.ok()) {
        return status_;
    }
    if (!file_) {
        return Fail(platform::Status::Error(EBADF, "The listing file " + path_ + " is not open"));
    }
    pending_.append(line).append(kLineEnd);
    return pending_.size() >= kBlockBytes ? WritePending() : status_;
}

platform::Status TListingFile::CloseListingFile() {
    if (!status_.ok() || !file_) {
        return status_;
    }
    if (!WritePending().ok()) {
        return status_;
    }
    platform::Status closed = file_->Close();
    file_.reset();
    return closed.ok() ? status_ : Fail(std::move(closed));
}

platform::Status TListingFile::WritePending() {
    platform::Status written = file_->Append(pending_);
    pending_.clear();
    return written.ok() ? status_ : Fail(std::move(written));
}

platform::Status TListingFile::Fail(platform::Status failure) {
    status_ = std::move(failure);
    pending_.clear();
    file_.reset();
    if (created_) {
        (void)platform::Env::Default()->RemoveFile(path_);
    }
    return status_;
}

}  // namespace listing
