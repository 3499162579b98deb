// Reading the listing file back as print lines: a line and its end fit in
// 255 characters (CR LF counting as one), a longer line continues in the
// next print line, and the end of the file is an error. A missing file and
// a failed read are PrintListingTest's.
#include <utility>

#include "ReportsTest.h"
#include "reports/PrintLineReader.h"

namespace jtest {
namespace {

using Read = std::pair<std::string, bool>;  // text, whether it ends a line of the file

TEST(PrintLineReader, SplitsTheFileIntoPrintLines) {
    const std::string a254(254, 'a'), b255(255, 'b');
    const std::pair<std::string, std::vector<Read>> cases[] = {
        {"one\r\ntwo\n\r\nlast",
         {{"one\r\n", true}, {"two\n", true}, {"\r\n", true}, {"last", true}}},
        {"a\rb\r\n", {{"a\rb\r\n", true}}},  // a lone CR is text
        {a254 + "\r\nx\r\n", {{a254 + "\r\n", true}, {"x\r\n", true}}},
        {b255 + "\r\n", {{b255, false}, {"\r\n", true}}},
        {b255 + b255 + "z", {{b255, false}, {b255, false}, {"z", true}}},
        {b255, {{b255, true}}},
        {"", {}},
    };
    for (const auto& [bytes, expected] : cases) {
        WriteFileBytes(InTestDir("listd.tmp"), bytes);
        reports::TPrintLineReader reader;
        ASSERT_TRUE(reader.Open(InTestDir("listd.tmp")).ok());
        std::vector<Read> reads;
        std::string text;
        bool endsLine = false;
        while (reader.ReadPrintLine(&text, &endsLine).ok()) reads.emplace_back(text, endsLine);
        EXPECT_EQ(text, "");
        EXPECT_EQ(reads, expected) << bytes.substr(0, 20);
    }
}

}  // namespace
}  // namespace jtest
