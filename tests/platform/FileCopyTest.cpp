// Copying and writing a file whole: the bytes arrive exactly, a copy is read
// a chunk at a time, and a failure at any step leaves the target as it was
// (or, after a failed folder sync alone, whole and new) with no temporary
// file behind.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "platform/FaultEnv.h"
#include "platform/FileCopy.h"
#include "platform/WholeFile.h"
#include "support/TestEnvironment.h"

namespace {

using platform::FaultEnv;
using platform::Status;

// Reads and writes are counted: a copy held whole in memory, or read or
// written in pieces larger than 64 KiB, makes fewer of them.
TEST(FileCopy, CopiesEveryByteAChunkAtATime) {
    const std::string from = jtest::InTestDir("from"), to = jtest::InTestDir("to");
    FaultEnv counting(platform::PosixEnv());
    platform::ScopedEnv scoped(&counting);
    for (std::size_t size : {std::size_t{0}, std::size_t{5 << 20} + 7}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 % 256);
        jtest::WriteFileBytes(from, bytes);
        jtest::WriteFileBytes(to, "old");
        counting.FailNth(0, FaultEnv::kRead | FaultEnv::kWrite, 0);
        ASSERT_TRUE(platform::CopyFileWhole(from, to).ok());
        EXPECT_TRUE(jtest::ReadFileBytes(to) == bytes) << size;
        EXPECT_TRUE(jtest::TemporaryFilesIn(jtest::TestDir()).empty());
        EXPECT_GE(counting.count(), static_cast<int>(2 * (size >> 16))) << size;
    }
}

TEST(FileCopy, AFailureAtAnyStepLeavesTheTargetAsItWasAndNoTemporaryFile) {
    const std::string from = jtest::InTestDir("from"), to = jtest::InTestDir("to");
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
            const Status status = copy ? platform::CopyFileWhole(from, to)
                                       : platform::WriteFileWhole(to, "new bytes");
            EXPECT_EQ(status.code(), EIO) << status.message();
            EXPECT_EQ(jtest::ReadFileBytes(to), op == FaultEnv::kSyncDir ? "new bytes" : "old");
            EXPECT_TRUE(jtest::TemporaryFilesIn(jtest::TestDir()).empty());
        }
    }
}

}  // namespace
