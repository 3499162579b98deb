// Writing to a full disk (the kernel's /dev/full fails every write with
// ENOSPC) fails with the action, the path and the reason, never silently.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "platform/Env.h"

namespace {

TEST(FullDisk, AWriteThatFailsIsReported) {
    std::unique_ptr<platform::WritableFile> file;
    const platform::Status opened = platform::PosixEnv()->NewAppendableFile("/dev/full", &file);
    if (!opened.ok()) GTEST_SKIP() << opened.message();
    const platform::Status written = file->Append("entry");
    EXPECT_EQ(written.code(), ENOSPC);
    EXPECT_EQ(written.message(), std::string("Cannot write /dev/full: ") + std::strerror(ENOSPC));
}

}  // namespace
