// Copying and writing a file whole: the bytes arrive exactly, a copy is read
// a chunk at a time, and a failure at any step leaves the target as it was
// (or, after a failed folder sync alone, whole and new) with no temporary
// file behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "platform/FaultEnv.h"
#include "platform/FileCopy.h"
#include "support/TestEnvironment.h"

namespace {

using platform::FaultEnv;
using platform::Status;

// Notes the largest read asked of any file opened through it.
class LargestReadEnv : public platform::EnvWrapper {
public:
    using EnvWrapper::EnvWrapper;
    std::size_t largest = 0;

    Status NewSequentialFile(const std::string& path,
                             std::unique_ptr<platform::SequentialFile>* result) override {
        class Noting : public platform::SequentialFile {
        public:
            Noting(LargestReadEnv* env, std::unique_ptr<SequentialFile> file)
                : env_(env), file_(std::move(file)) {}
            Status Read(std::size_t n, char* buffer, std::size_t* got) override {
                env_->largest = std::max(env_->largest, n);
                return file_->Read(n, buffer, got);
            }

        private:
            LargestReadEnv* env_;
            std::unique_ptr<SequentialFile> file_;
        };
        std::unique_ptr<platform::SequentialFile> file;
        Status status = target()->NewSequentialFile(path, &file);
        if (status.ok()) *result = std::make_unique<Noting>(this, std::move(file));
        return status;
    }
};

TEST(FileCopy, CopiesEveryByteAChunkAtATime) {
    const std::string from = jtest::InTestDir("from"), to = jtest::InTestDir("to");
    const std::string temp = jtest::InTestDir(".temp");
    LargestReadEnv noting(platform::PosixEnv());
    platform::ScopedEnv scoped(&noting);
    for (std::size_t size : {std::size_t{0}, std::size_t{5 << 20} + 7}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 % 256);
        jtest::WriteFileBytes(from, bytes);
        jtest::WriteFileBytes(to, "old");
        ASSERT_TRUE(platform::CopyFileWhole(from, to, temp).ok());
        EXPECT_TRUE(jtest::ReadFileBytes(to) == bytes) << size;
        EXPECT_FALSE(std::filesystem::exists(temp));
    }
    EXPECT_LE(noting.largest, std::size_t{64} << 10);
}

TEST(FileCopy, AFailureAtAnyStepLeavesTheTargetAsItWasAndNoTemporaryFile) {
    const std::string from = jtest::InTestDir("from"), to = jtest::InTestDir("to");
    const std::string temp = jtest::InTestDir(".temp");
    jtest::WriteFileBytes(from, "new bytes");
    FaultEnv faults(platform::PosixEnv());
    platform::ScopedEnv scoped(&faults);
    for (unsigned op :
         {FaultEnv::kOpenRead, FaultEnv::kRead, FaultEnv::kOpenWrite, FaultEnv::kWrite,
          FaultEnv::kSync, FaultEnv::kClose, FaultEnv::kRename, FaultEnv::kSyncDir}) {
        for (bool copy : {true, false}) {
            if (!copy && (op == FaultEnv::kOpenRead || op == FaultEnv::kRead)) continue;
            SCOPED_TRACE("operation kind " + std::to_string(op) + (copy ? " copying" : " writing"));
            jtest::WriteFileBytes(to, "old");
            faults.FailNth(1, op, EIO);
            const Status status = copy ? platform::CopyFileWhole(from, to, temp)
                                       : platform::WriteFileWhole(to, "new bytes");
            EXPECT_EQ(status.code(), EIO) << status.message();
            EXPECT_EQ(jtest::ReadFileBytes(to), op == FaultEnv::kSyncDir ? "new bytes" : "old");
            EXPECT_FALSE(std::filesystem::exists(copy ? temp : to + ".part"));
        }
    }
}

}  // namespace
