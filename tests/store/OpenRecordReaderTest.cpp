// Opening the diary for reading: a failure other than an absent file is
// returned and leaves no reader behind, even in a pointer that held one, so
// a caller that reads on cannot read an earlier file's records.
#include <gtest/gtest.h>

#include <cerrno>

#include "store/Diary.h"
#include "store/RecordFile.h"
#include "support/TestEnvironment.h"
#include "support/env/FaultEnv.h"

namespace store {
namespace {

TEST(OpenRecordReader, AFailedOpenLeavesTheReaderNull) {
    const std::string path = jtest::InTestDir("Jotwel.dat");
    const RecordBytes bytes = EncodeRecord({"a", "01/01/05", 1104537600, 5});
    jtest::WriteFileBytes(path, std::string(bytes.data(), bytes.size()));
    std::unique_ptr<RecordReader> reader;
    ASSERT_TRUE(OpenRecordReader(path, &reader).ok());
    ASSERT_NE(reader, nullptr);

    platform::FaultEnv faults(platform::PosixEnv());
    platform::ScopedEnv scoped(&faults);
    faults.FailNth(1, platform::FaultEnv::kOpenRead, EIO);
    EXPECT_EQ(OpenRecordReader(path, &reader).code(), EIO);
    EXPECT_EQ(reader, nullptr);
}

}  // namespace
}  // namespace store
