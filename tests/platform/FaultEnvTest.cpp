#include <errno.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "platform/FaultEnv.h"
#include "support/TestEnvironment.h"

namespace {

using platform::FaultEnv;
using platform::Status;

std::string ErrorText(int error) {
    return std::strerror(error);
}

class FaultEnvTest : public ::testing::Test {
protected:
    FaultEnv env_{platform::PosixEnv()};
    const std::string path_ = jtest::InTestDir("f");
};

TEST_F(FaultEnvTest, NthWriteFailsAfterWritingHalf) {
    std::unique_ptr<platform::WritableFile> file;
    ASSERT_TRUE(env_.NewWritableFile(path_, &file).ok());
    env_.FailNth(2, FaultEnv::kWrite, ENOSPC);
    EXPECT_TRUE(file->Append("abcd").ok());
    const Status failed = file->Append("efghij");
    EXPECT_TRUE(file->Append("kl").ok());  // only the n-th fails
    ASSERT_TRUE(file->Close().ok());

    EXPECT_EQ(failed.code(), ENOSPC);
    EXPECT_EQ(failed.message(), "Cannot write " + path_ + ": " + ErrorText(ENOSPC));
    EXPECT_EQ(jtest::ReadFileBytes(path_), "abcdefgkl");
    EXPECT_EQ(env_.count(), 3);
    EXPECT_TRUE(env_.fired());
}

TEST_F(FaultEnvTest, DisarmedCountsButNeverFails) {
    env_.FailNth(0, FaultEnv::kAll, EIO);
    std::unique_ptr<platform::WritableFile> file;
    ASSERT_TRUE(env_.NewWritableFile(path_, &file).ok());
    ASSERT_TRUE(file->Append("x").ok());
    ASSERT_TRUE(file->Sync().ok());
    ASSERT_TRUE(file->Close().ok());
    ASSERT_TRUE(env_.RemoveFile(path_).ok());
    EXPECT_EQ(env_.count(), 5);
    EXPECT_FALSE(env_.fired());
}

// Each kind of operation, armed alone, fails with the chosen errno and
// leaves no trace of what it would have done (where that can be seen).
struct OpCase {
    const char* name;
    FaultEnv::Op op;
    std::function<Status(FaultEnv&, const std::string&)> run;
    std::function<bool(const std::string&)> untouched = nullptr;
};

Status WriteThen(FaultEnv& env, const std::string& path,
                 const std::function<Status(platform::WritableFile&)>& last) {
    std::unique_ptr<platform::WritableFile> file;
    Status status = env.NewWritableFile(path, &file);
    return status.ok() ? last(*file) : status;
}

bool Exists(const std::string& p) {
    return platform::PosixEnv()->FileExists(p);
}

const OpCase kOpCases[] = {
    {"OpenRead", FaultEnv::kOpenRead,
     [](FaultEnv& e, const std::string& p) {
         std::unique_ptr<platform::SequentialFile> f;
         return e.NewSequentialFile(p, &f);
     },
     [](const std::string& p) { return jtest::ReadFileBytes(p) == "old"; }},
    {"Read", FaultEnv::kRead,
     [](FaultEnv& e, const std::string& p) {
         std::unique_ptr<platform::SequentialFile> f;
         char buffer[8];
         std::size_t got = 99;
         Status s = e.NewSequentialFile(p, &f);
         if (s.ok()) s = f->Read(sizeof buffer, buffer, &got);
         EXPECT_EQ(got, 0u);
         return s;
     },
     [](const std::string& p) { return jtest::ReadFileBytes(p) == "old"; }},
    {"OpenWrite", FaultEnv::kOpenWrite,
     [](FaultEnv& e, const std::string& p) {
         std::unique_ptr<platform::WritableFile> f;
         return e.NewAppendableFile(p, &f);
     },
     [](const std::string& p) { return jtest::ReadFileBytes(p) == "old"; }},
    {"Sync", FaultEnv::kSync,
     [](FaultEnv& e, const std::string& p) {
         return WriteThen(e, p + ".w", [](auto& f) { return f.Sync(); });
     }},
    {"Close", FaultEnv::kClose,
     [](FaultEnv& e, const std::string& p) {
         return WriteThen(e, p + ".w", [](auto& f) { return f.Close(); });
     }},
    {"Rename", FaultEnv::kRename,
     [](FaultEnv& e, const std::string& p) { return e.RenameFile(p, p + "2"); },
     [](const std::string& p) { return Exists(p) && !Exists(p + "2"); }},
    {"Remove", FaultEnv::kRemove, [](FaultEnv& e, const std::string& p) { return e.RemoveFile(p); },
     [](const std::string& p) { return Exists(p); }},
    {"SyncDir", FaultEnv::kSyncDir,
     [](FaultEnv& e, const std::string&) { return e.SyncDir(jtest::TestDir()); }},
    {"CreateDirs", FaultEnv::kCreateDirs,
     [](FaultEnv& e, const std::string& p) { return e.CreateDirs(p + ".d/e"); },
     [](const std::string& p) { return !Exists(p + ".d"); }},
};

TEST_F(FaultEnvTest, EachOperationKindFailsAlone) {
    for (const OpCase& c : kOpCases) {
        SCOPED_TRACE(c.name);
        jtest::WriteFileBytes(path_, "old");
        env_.FailNth(1, c.op, EACCES);
        const Status status = c.run(env_, path_);
        EXPECT_EQ(status.code(), EACCES);
        EXPECT_NE(status.message().find(ErrorText(EACCES)), std::string::npos);
        EXPECT_TRUE(env_.fired());
        EXPECT_EQ(env_.count(), 1);
        EXPECT_TRUE(!c.untouched || c.untouched(path_));
    }
}

}  // namespace
