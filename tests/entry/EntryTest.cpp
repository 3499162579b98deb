#include "EntryTest.h"

#include <QTest>

namespace jtest {

void EntryTest::SetUp() {
    GuiTest::SetUp();
    StartUp();
}

void EntryTest::StartUp() {
    app::ResetValues();
    app::TAppValues& values = app::Values();
    values.dataDirectory = TestDir();
    values.todayInstant = kStartup;
    values.yesterdayInstant = kStartup - dates::SecondsPerDay;
    values.todayCompactDate = dates::FormatCompactDate(kStartup);
    values.todayShortDate = dates::FormatShortDate(kStartup);
    values.headings = kHeadings;
}

void EntryTest::TearDown() {
    app::ResetValues();
    GuiTest::TearDown();
}

std::vector<store::TEntryRecord> DiaryRecords() {
    const std::string bytes = ReadFileBytes(InTestDir("Jotwel.dat"));
    EXPECT_EQ(bytes.size() % store::RecordSize, 0u) << "a fragment at the end of the diary";
    std::vector<store::TEntryRecord> records;
    for (std::size_t at = 0; at + store::RecordSize <= bytes.size(); at += store::RecordSize) {
        records.push_back(store::DecodeRecord(bytes.data() + at));
    }
    return records;
}

void WriteDiary(const std::vector<store::TEntryRecord>& records) {
    std::string bytes;
    for (const store::TEntryRecord& record : records) {
        const store::RecordBytes encoded = store::EncodeRecord(record);
        bytes.append(encoded.data(), encoded.size());
    }
    WriteFileBytes(InTestDir("Jotwel.dat"), bytes);
}

std::string SettingsBytes() {
    return ReadFileBytes(app::SettingsPath());
}

std::vector<int> TemplatesShown() {
    std::vector<int> ids;
    for (const auto& shown : framework::testing::DialogsShown()) ids.push_back(shown.templateId);
    return ids;
}

bool AllClosedByTheirActions() {
    for (const auto& shown : framework::testing::DialogsShown()) {
        if (!shown.hadAction || shown.leftOpen) return false;
    }
    return true;
}

void TypeLines(const framework::TDialog& d, int id, const std::vector<QString>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) QTest::keyClick(d.Control(id), Qt::Key_Return);
        Type(d, id, lines[i]);
    }
}

}  // namespace jtest
