// The listing file's bytes, and what is left when it cannot be written.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "ReportTestSupport.h"
#include "platform/FaultEnv.h"
#include "reports/ListingFile.h"
#include "support/TestEnvironment.h"

namespace {

using platform::FaultEnv;

// Many lines, so that the file is written in several blocks.
std::vector<std::string> ManyLines() {
    std::vector<std::string> lines;
    for (int i = 0; i < 3000; ++i) lines.push_back(std::to_string(i) + std::string(95, 'L'));
    return lines;
}

platform::Status WriteListing(const std::vector<std::string>& lines) {
    reports::TListingFile listing;
    listing.OpenListingFile(jtest::TestDir());
    for (const std::string& line : lines) listing.AppendListingLine(line);
    return listing.CloseListingFile();
}

TEST(ListingFile, ReplacesTheOldFileWithHeadingAndLinesEndedByCrLf) {
    jtest::WriteFileBytes(jtest::InTestDir("listd.tmp"), std::string(5000, 'o'));
    const std::vector<std::string> lines = {"01/02/14  Caf\xE9 \x80\x81", "      -> tail", ""};
    ASSERT_TRUE(WriteListing(lines).ok());
    EXPECT_EQ(rtest::ListingBytes(),
              "Date\tEvents\tScore\tDate/time entered\r\n01/02/14  Caf\xE9 \x80\x81\r\n"
              "      -> tail\r\n\r\n");
    ASSERT_TRUE(WriteListing(ManyLines()).ok());
    EXPECT_EQ(rtest::ListingBytes(), rtest::ListingOf(ManyLines()));
}

// Whatever step fails, the failure is returned, nothing more is written and
// no partial listing is left behind.
TEST(ListingFile, FailureIsReturnedAndLeavesNoPartialFile) {
    const struct {
        const char* name;
        unsigned op;
        int nth;
    } cases[] = {{"create", FaultEnv::kOpenWrite, 1},
                 {"first block", FaultEnv::kWrite, 1},
                 {"later block", FaultEnv::kWrite, 3},
                 {"close", FaultEnv::kClose, 1}};
    FaultEnv faults(platform::Env::Default());
    platform::ScopedEnv scoped(&faults);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        jtest::WriteFileBytes(jtest::InTestDir("listd.tmp"), "old\r\n");
        faults.FailNth(c.nth, c.op, ENOSPC);
        reports::TListingFile listing;
        listing.OpenListingFile(jtest::TestDir());
        for (const std::string& line : ManyLines()) listing.AppendListingLine(line);
        EXPECT_EQ(listing.CloseListingFile().code(), ENOSPC);
        EXPECT_TRUE(faults.fired());
        EXPECT_FALSE(std::filesystem::exists(jtest::InTestDir("listd.tmp")));
        EXPECT_EQ(listing.AppendListingLine("more").code(), ENOSPC);
        EXPECT_FALSE(std::filesystem::exists(jtest::InTestDir("listd.tmp")));
    }
}

}  // namespace
