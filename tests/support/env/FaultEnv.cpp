// Method: every operation of an armed kind asks ShouldFail, which counts it
// and answers true for the n-th one only. A failing operation does not reach
// the target (a failing Append writes half its data first), so what is on
// disk afterwards is what a real failure at that point would leave.
#include "support/env/FaultEnv.h"

#include <utility>

namespace platform {
namespace {

class FaultSequentialFile : public SequentialFile {
public:
    FaultSequentialFile(FaultEnv* env, std::string path, std::unique_ptr<SequentialFile> target)
        : env_(env), path_(std::move(path)), target_(std::move(target)) {}

    Status Read(std::size_t n, char* buffer, std::size_t* got) override {
        if (env_->ShouldFail(FaultEnv::kRead)) {
            *got = 0;
            return Status::Error(env_->errorNumber(), "Cannot read " + path_);
        }
        return target_->Read(n, buffer, got);
    }

private:
    FaultEnv* env_;
    std::string path_;
    std::unique_ptr<SequentialFile> target_;
};

class FaultWritableFile : public WritableFile {
public:
    FaultWritableFile(FaultEnv* env, std::string path, std::unique_ptr<WritableFile> target)
        : env_(env), path_(std::move(path)), target_(std::move(target)) {}

    Status Append(std::string_view data) override {
        if (!env_->ShouldFail(FaultEnv::kWrite)) return target_->Append(data);
        (void)target_->Append(data.substr(0, data.size() / 2));
        return Fail("Cannot write");
    }

    Status Sync() override {
        if (env_->ShouldFail(FaultEnv::kSync)) return Fail("Cannot sync");
        return target_->Sync();
    }

    // A failing close still releases the file, as close(2) does.
    Status Close() override {
        const bool fail = env_->ShouldFail(FaultEnv::kClose);
        const Status status = target_->Close();
        return fail ? Fail("Cannot close") : status;
    }

private:
    Status Fail(const char* action) const {
        return Status::Error(env_->errorNumber(), std::string(action) + " " + path_);
    }

    FaultEnv* env_;
    std::string path_;
    std::unique_ptr<WritableFile> target_;
};

}  // namespace

void FaultEnv::FailNth(int n, unsigned ops, int errorNumber) {
    failAt_ = n;
    ops_ = ops;
    errorNumber_ = errorNumber;
    count_ = 0;
    fired_ = false;
}

bool FaultEnv::ShouldFail(Op op) {
    if ((ops_ & op) == 0) return false;
    ++count_;
    if (failAt_ <= 0 || count_ != failAt_) return false;
    fired_ = true;
    return true;
}

Status FaultEnv::NewSequentialFile(const std::string& p, std::unique_ptr<SequentialFile>* r) {
    if (ShouldFail(kOpenRead)) return Status::Error(errorNumber_, "Cannot open " + p);
    std::unique_ptr<SequentialFile> file;
    Status status = target()->NewSequentialFile(p, &file);
    if (status.ok()) *r = std::make_unique<FaultSequentialFile>(this, p, std::move(file));
    return status;
}

Status FaultEnv::NewWritableFile(const std::string& p, std::unique_ptr<WritableFile>* r) {
    if (ShouldFail(kOpenWrite)) return Status::Error(errorNumber_, "Cannot create " + p);
    std::unique_ptr<WritableFile> file;
    Status status = target()->NewWritableFile(p, &file);
    if (status.ok()) *r = std::make_unique<FaultWritableFile>(this, p, std::move(file));
    return status;
}

Status FaultEnv::NewAppendableFile(const std::string& p, std::unique_ptr<WritableFile>* r) {
    if (ShouldFail(kOpenWrite)) return Status::Error(errorNumber_, "Cannot open " + p);
    std::unique_ptr<WritableFile> file;
    Status status = target()->NewAppendableFile(p, &file);
    if (status.ok()) *r = std::make_unique<FaultWritableFile>(this, p, std::move(file));
    return status;
}

Status FaultEnv::NewExclusiveFile(const std::string& p, const NewFileMode& m,
                                  std::unique_ptr<WritableFile>* r) {
    if (ShouldFail(kOpenWrite)) return Status::Error(errorNumber_, "Cannot create " + p);
    std::unique_ptr<WritableFile> file;
    Status status = target()->NewExclusiveFile(p, m, &file);
    if (status.ok()) *r = std::make_unique<FaultWritableFile>(this, p, std::move(file));
    return status;
}

Status FaultEnv::LinkFile(const std::string& f, const std::string& t) {
    if (ShouldFail(kLink)) return Status::Error(errorNumber_, "Cannot link " + t + " to " + f);
    return target()->LinkFile(f, t);
}

Status FaultEnv::RenameFile(const std::string& f, const std::string& t) {
    if (ShouldFail(kRename)) return Status::Error(errorNumber_, "Cannot rename " + f + " to " + t);
    return target()->RenameFile(f, t);
}

Status FaultEnv::RemoveFile(const std::string& p) {
    if (ShouldFail(kRemove)) return Status::Error(errorNumber_, "Cannot remove " + p);
    return target()->RemoveFile(p);
}

Status FaultEnv::SyncDir(const std::string& d) {
    if (ShouldFail(kSyncDir)) return Status::Error(errorNumber_, "Cannot sync folder " + d);
    return target()->SyncDir(d);
}

Status FaultEnv::CreateDirs(const std::string& d, unsigned m) {
    if (ShouldFail(kCreateDirs)) return Status::Error(errorNumber_, "Cannot create folder " + d);
    return target()->CreateDirs(d, m);
}

Status FaultEnv::GetChildren(const std::string& d, std::vector<std::string>* n) {
    if (ShouldFail(kGetChildren)) {
        n->clear();
        return Status::Error(errorNumber_, "Cannot read folder " + d);
    }
    return target()->GetChildren(d, n);
}

}  // namespace platform
