// The 534-byte record, how entries become records and listing lines, and
// finding the record a listing line shows; reading and changing the diary
// on real files, and every failure a full, broken or read-only disk can
// cause there, injected through FaultEnv.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "StoreFixture.h"
#include "store/Diary.h"
#include "store/ListingLine.h"
#include "store/Replace.h"
#include "store/Versions.h"
#include "support/TestEnvironment.h"
#include "support/env/FaultEnv.h"

namespace store {
namespace {

using namespace storetest;
using platform::FaultEnv;
using Change = std::function<platform::Status()>;

std::string Raw(const RecordBytes& bytes) {
    return std::string(bytes.data(), bytes.size());
}

// Long fields are cut on writing; fields without a terminator, as another
// writer may leave them, are read whole.
TEST(RecordCodec, LaysOutFieldsLittleEndianWithZerosAfterTheTerminators) {
    const TEntryRecord record{"abc", "02/01/05", 1104624000, -1};
    EXPECT_EQ(Raw(EncodeRecord(record)), "abc" + std::string(498, '\0') + "02/01/05" +
                                             std::string(17, '\0') +
                                             "\x80\x39\xD7\x41\xFF\xFF\xFF\xFF");
    EXPECT_EQ(DecodeRecord(EncodeRecord(record).data()), record);
    const RecordBytes cut = EncodeRecord({std::string(600, 'x'), std::string(30, 'y'), 9, 1});
    EXPECT_EQ(Raw(cut), std::string(500, 'x') + '\0' + std::string(24, 'y') + '\0' +
                            std::string("\x09\0\0\0\x01\0\0\0", 8));
    RecordBytes foreign;
    foreign.fill('q');
    foreign[3] = '\0';  // Text "qqq" and junk after it; Stamp without terminator
    EXPECT_EQ(DecodeRecord(foreign.data()).Text, "qqq");
    EXPECT_EQ(DecodeRecord(foreign.data()).Stamp, std::string(25, 'q'));
}

TEST(MakeTextEntryRecord, ComposesSummaryAndNoteWithinFiveHundredBytes) {
    const std::string summary(499, 's'), note(79, 'n');
    const struct {
        std::string summary, note, text;
    } cases[] = {
        {.summary = "To the coast", .note = "Saw seals", .text = "To the coast  = Saw seals)"},
        {.summary = "100% %s", .note = "%n", .text = "100% %s  = %n)"},
        {.summary = summary, .note = note, .text = (summary + "  = " + note).substr(0, 500)},
    };
    for (const auto& c : cases) {
        const TEntryRecord record = MakeTextEntryRecord(c.summary, c.note, 7, 1418000000);
        EXPECT_EQ(record, (TEntryRecord{c.text, "08/12/14 @ 00:53:20", 1418000000, 7}));
    }
}

TEST(MakeButtonEntryRecord, ComposesHeadingsAndScoresWithUnevenSeparators) {
    const TEntryRecord record = MakeButtonEntryRecord(
        {"Work", "Health", "%d%n", "", "Hobby", "Weather"}, {7, -1, 5, 10, 0, 3}, 1418000000);
    EXPECT_EQ(record,
              (TEntryRecord{"Work = 7 : Health = -1 :%d%n = 5  = 10 : Hobby = 0 : Weather = 3",
                            "08/12/14", 1418000000, -1}));
}

TEST(FormatListingLine, ShowsScoreOnlyWhenThereIsOneAndBlanksLineBreaks) {
    const struct {
        TEntryRecord record;
        const char* line;
    } cases[] = {
        {.record = {"Sunny  = Beach)", "07/12/14 @ 21:05:09", 1, 7},
         .line = "07/12/14 @ 21:05:09 Score = 7   Sunny  = Beach)"},
        {.record = {"Work = 3", "07/12/14", 1, -1}, .line = "07/12/14  Work = 3"},
        {.record = {"a\r\nb\rc\nd", "s", 1, 0}, .line = "s Score = 0   a  b c d"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatListingLine(c.record), c.line);
}

// A line of 'a' with spaces at the given positions (counted from 1) is cut
// into pieces ending at the given positions; the pieces after the first
// start with the continuation prefix, and there are five at most.
TEST(FoldListingLine, CutsRightAfterTheSpaceThatPassesOneHundred) {
    const struct {
        std::size_t length;
        std::vector<std::size_t> spaces, ends;
    } cases[] = {
        {.length = 230, .spaces = {101, 216}, .ends = {101, 216, 230}},
        {.length = 150, .spaces = {50, 100, 120}, .ends = {120, 150}},
        {.length = 700,
         .spaces = {101, 202, 303, 404, 505, 606},
         .ends = {101, 202, 303, 404, 505}},
    };
    for (const auto& c : cases) {
        std::string line(c.length, 'a');
        for (std::size_t position : c.spaces) line[position - 1] = ' ';
        std::vector<std::string> pieces;
        for (std::size_t i = 0, start = 0; i < c.ends.size(); start = c.ends[i++]) {
            pieces.push_back((i ? std::string(ContinuationPrefix) : "") +
                             line.substr(start, c.ends[i] - start));
        }
        EXPECT_EQ(FoldListingLine(line), pieces) << c.length;
    }
}

TEST(FirstListedPiece, IsTheLineOrItsFirstPieceWhenFolded) {
    const TEntryRecord longOne{std::string(120, 'w') + " tail", "01/02/15 @ 10:00:00", 1, 3};
    EXPECT_EQ(FirstListedPiece(longOne), FoldListingLine(FormatListingLine(longOne)).front());
    EXPECT_EQ(FirstListedPiece({"short", "01/02/15", 1, -1}), "01/02/15  short");
    EXPECT_EQ(FirstListedPiece({std::string(120, '.') + " x", "", 1, -1}), "");
}

// The first record whose listed line (or its first piece) is the line: the
// button entry of the same day, earlier in the file, does not capture a text
// entry's line, nor its twin later on. Lines that show no record match none.
TEST(FindKeyForLine, MatchesTheFirstRecordWhoseListedLineIsTheLine) {
    const dates::Instant morning = 1417996800 + 9 * 3600;  // 08/12/14 09:00 UTC
    const Records records = {
        MakeButtonEntryRecord({"Work", "Health", "Money", "Family", "Hobby", "Weather"},
                              {1, 2, 3, 4, 5, 6}, morning),
        MakeTextEntryRecord("Walk", "Park", 7, morning),
        MakeTextEntryRecord(std::string(90, 'a') + " " + std::string(40, 'b') + " end", "n", 2,
                            morning + 60),
        MakeTextEntryRecord("Walk", "Park", 7, morning),
    };
    PutDiary(records);
    const std::vector<std::string> folded = FoldListingLine(FormatListingLine(records[2]));
    const struct {
        std::string line;
        std::optional<std::int64_t> index;
    } cases[] = {
        {.line = FormatListingLine(records[0]), .index = 0},
        {.line = "08/12/14 @ 09:00:00 Score = 7   Walk  = Park)", .index = 1},
        {.line = folded[0], .index = 2},
        {.line = folded[1], .index = std::nullopt},
        {.line = std::string(150, '-'), .index = std::nullopt},
        {.line = "Searching for: Walk", .index = std::nullopt},
        {.line = "08/12/14 @ 09:00:00 Score = 7   Walk  = Park) and more", .index = std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<RecordLocation> found = FindKeyForLine(DataDir(), c.line);
        ASSERT_EQ(found.has_value(), c.index.has_value()) << c.line;
        if (found) {
            EXPECT_EQ(found->index, *c.index);
            EXPECT_EQ(found->record, records[static_cast<std::size_t>(*c.index)]);
        }
    }
}

// The new record goes before the first record of greater Key in file order
// (button entries may stand out of order), after equal keys.
TEST(InsertRecordInOrder, PlacesBeforeTheFirstGreaterKey) {
    const std::vector<std::int32_t> cases[] = {{}, {10, 40, 25}, {10, 30, 40}, {10, 20, 30}};
    for (const std::vector<std::int32_t>& keys : cases) {
        std::remove(DiaryPath(DataDir()).c_str());
        Records expected = RecsWithKeys(keys);
        if (!keys.empty()) PutDiary(expected);
        const TEntryRecord made = Rec(30, "new");
        const auto greater = [&](const TEntryRecord& r) { return r.Key > made.Key; };
        expected.insert(std::find_if(expected.begin(), expected.end(), greater), made);
        bool inPlace = false;
        ASSERT_TRUE(InsertRecordInOrder(DataDir(), made, &inPlace).ok());
        EXPECT_TRUE(inPlace);
        EXPECT_TRUE(DiaryIs(DiaryOf(expected))) << keys.size();
        EXPECT_FALSE(HoldExists());
    }
}

// A write cut short while the entry is appended, and the repair failing too
// (a full disk): the old records and at most a fragment remain, which
// reading skips and the next change drops.
TEST(InsertRecordInOrder, ATornAppendLeavesTheOldRecordsAndAFragment) {
    const Records old = RecsWithKeys({10, 20, 30});
    PutDiary(old);
    FaultEnv disk(platform::Env::Default());
    FaultEnv writes(&disk);
    platform::ScopedEnv scoped(&writes);
    writes.FailNth(1, FaultEnv::kWrite, ENOSPC);    // half the record is written
    disk.FailNth(2, FaultEnv::kOpenWrite, ENOSPC);  // the repair's hold file
    bool inPlace = true;
    EXPECT_EQ(InsertRecordInOrder(DataDir(), Rec(40, "new"), &inPlace).code(), ENOSPC);
    EXPECT_FALSE(inPlace);
    EXPECT_TRUE(writes.fired() && disk.fired());
    EXPECT_LT(DiaryBytes().value_or("").size(), 4 * RecordSize);
    EXPECT_EQ(ReadAll(), old);
    ASSERT_TRUE(InsertRecordInOrder(DataDir(), Rec(40, "new")).ok());
    EXPECT_TRUE(DiaryIs(DiaryOf({old[0], old[1], old[2], Rec(40, "new")})));
}

TEST(InsertRecordInOrder, CopiesOldRecordsByteForByteAcrossManyChunks) {
    std::string old;  // 700 records, the first with a foreign writer's bytes after its Text
    for (std::int32_t key = 0; key < 1400; key += 2) old += DiaryOf({Rec(key)});
    old.replace(100, 10, "junk-bytes");
    jtest::WriteFileBytes(DiaryPath(DataDir()), old + "fragment");
    jtest::WriteFileBytes(HoldPath(DataDir()), std::string(2000, 'h'));  // left by a crash
    ASSERT_TRUE(InsertRecordInOrder(DataDir(), Rec(501)).ok());
    EXPECT_TRUE(DiaryIs(old.substr(0, 251 * RecordSize) + DiaryOf({Rec(501)}) +
                        old.substr(251 * RecordSize)));
    EXPECT_FALSE(HoldExists());
}

// Only the record at the index goes or changes, and only when it is still
// the one found there: another copy of the program may have changed the
// diary since. A stale location changes nothing.
TEST(DeleteRecordAt, DeletesOrReplacesExactlyTheChosenRecordOrRefusesAStaleLocation) {
    const TEntryRecord a = Rec(10, "a"), b = Rec(20, "b"), c = Rec(30, "c"), twin = Rec(20, "t");
    const struct {
        Records before;
        RecordLocation at;
        std::optional<TEntryRecord> replacement = std::nullopt;
        Records after;
    } cases[] = {
        {.before = {a}, .at = {0, a}, .after = {}},
        {.before = {a, b, twin, c}, .at = {2, twin}, .after = {a, b, c}},
        {.before = {a, b}, .at = {0, b}, .after = {a, b}},
        {.before = {a, b}, .at = {2, b}, .after = {a, b}},
        {.before = {a, b, twin}, .at = {1, b}, .replacement = c, .after = {a, c, twin}},
        {.before = {a, b}, .at = {1, a}, .replacement = c, .after = {a, b}},
    };
    for (const auto& d : cases) {
        PutDiary(d.before);
        bool inPlace = false;
        const platform::Status status =
            d.replacement ? ReplaceRecordAt(DataDir(), d.at, *d.replacement, &inPlace)
                          : DeleteRecordAt(DataDir(), d.at, &inPlace);
        EXPECT_EQ(status.ok(), d.before != d.after) << d.at.index;
        EXPECT_EQ(inPlace, status.ok());
        if (!status.ok()) {
            EXPECT_NE(status.message().find("is no longer where it was"), std::string::npos);
        }
        EXPECT_TRUE(DiaryIs(DiaryOf(d.after))) << d.at.index;
        EXPECT_FALSE(HoldExists());
    }
}

platform::Status AddKey99(const Records& current, Records* next) {
    *next = current;
    next->push_back(Rec(99));
    return {};
}

TEST(RewriteDiary, WritesWhatTheRewriteMakesOfTheRecordsOrNothingWhenItFails) {
    PutDiary(RecsWithKeys({10, 30}), "fragment");
    ASSERT_TRUE(RewriteDiary(DataDir(), AddKey99).ok());
    const Records rewritten = {Rec(10, "key 10"), Rec(30, "key 30"), Rec(99)};
    EXPECT_EQ(ReadAll(), rewritten);
    const platform::Status refused = RewriteDiary(DataDir(), [](const Records&, Records* next) {
        *next = {};
        return platform::Status::Error(0, "no");
    });
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(ReadAll(), rewritten);
    EXPECT_FALSE(HoldExists());
}

// Each change runs clean, then with the n-th file operation failing, for
// n = 1, 2, ... until the fault is not reached: every failed run reports it
// and leaves the diary old or new byte for byte, no hold or temporary file,
// and only whole versions.
void Start(const std::optional<std::string>& diary) {
    std::remove(DiaryPath(DataDir()).c_str());
    std::filesystem::remove_all(VersionsPath(DataDir()));
    if (diary) jtest::WriteFileBytes(DiaryPath(DataDir()), *diary);
}

void SweepFaults(std::size_t scenario, const std::optional<std::string>& before,
                 const Change& change) {
    Start(before);
    ASSERT_TRUE(change().ok()) << scenario;
    const std::optional<std::string> after = DiaryBytes();
    const std::string versions = VersionsPath(DataDir());
    FaultEnv env(platform::Env::Default());
    platform::ScopedEnv scoped(&env);
    for (int n = 1;; ++n) {
        SCOPED_TRACE("scenario " + std::to_string(scenario) + ", operation " + std::to_string(n));
        Start(before);
        // A failing link is no failure: a version is copied instead.
        const int error = n % 2 ? ENOSPC : EIO;
        env.FailNth(n, FaultEnv::kAll & ~FaultEnv::kLink, error);
        const platform::Status status = change();
        if (!env.fired()) {
            EXPECT_TRUE(status.ok() && DiaryIs(after)) << status.message();
            EXPECT_GT(n, 4);
            return;
        }
        EXPECT_EQ(status.code(), error);
        EXPECT_TRUE(DiaryIs(before) || DiaryIs(after));
        EXPECT_FALSE(HoldExists());
        EXPECT_TRUE(jtest::TemporaryFilesIn(DataDir()).empty());
        EXPECT_TRUE(jtest::TemporaryFilesIn(versions).empty());
        if (!std::filesystem::exists(versions)) continue;
        for (const auto& file : std::filesystem::directory_iterator(versions)) {
            const std::string bytes = jtest::ReadFileBytes(file.path());
            EXPECT_TRUE(bytes == before || bytes == after) << file.path();
        }
    }
}

// Restores a version holding key 7; says whether the diary holds it.
platform::Status RestoreAVersion() {
    const std::string name = "Jotwel-2014-01-01-000000.dat";
    std::filesystem::create_directories(VersionsPath(DataDir()));
    jtest::WriteFileBytes(VersionsPath(DataDir()) + "/" + name, DiaryOf(RecsWithKeys({7})));
    bool restored = false;
    const platform::Status status = RestoreVersion(DataDir(), name, nullptr, &restored);
    EXPECT_EQ(restored, DiaryIs(DiaryOf(RecsWithKeys({7}))));
    return status;
}

TEST(StoreFaults, EveryFailingOperationLeavesOldOrNewAndIsReported) {
    const std::string three = DiaryOf(RecsWithKeys({10, 30, 25}));
    std::string many;  // several chunks, so that reads and writes repeat
    for (std::int32_t key = 0; key < 400; ++key) many += DiaryOf({Rec(key)});
    const std::string dir = DataDir();
    const std::pair<std::optional<std::string>, Change> scenarios[] = {
        {many, [&] { return InsertRecordInOrder(dir, Rec(5)); }},
        {std::nullopt, [&] { return AppendRecord(dir, Rec(1)); }},
        {three, [&] { return AppendRecord(dir, Rec(1)); }},
        {three,
         [&] {
             return DeleteRecordAt(dir, {1, Rec(30, "key 30")});
         }},
        {three,
         [&] {
             return ReplaceRecordAt(dir, {1, Rec(30, "key 30")}, Rec(30, "x"));
         }},
        {three, [&] { return RewriteDiary(dir, AddKey99); }},
        {three, [&] { return KeepVersionBeforeChange(dir, DiaryChange::kDeletion); }},
        {three, RestoreAVersion},
    };
    for (std::size_t i = 0; i < std::size(scenarios); ++i) {
        SweepFaults(i, scenarios[i].first, scenarios[i].second);
    }
}

// A diary that cannot be opened or read is reported, never taken as empty;
// an absent one is empty, and a trailing fragment is skipped.
TEST(StoreFaults, AReaderReportsAnUnreadableDiary) {
    EXPECT_TRUE(ReadAll().empty());
    PutDiary(RecsWithKeys({10, 30}), "fragment");
    EXPECT_EQ(ReadAll(), RecsWithKeys({10, 30}));
    FaultEnv env(platform::Env::Default());
    platform::ScopedEnv scoped(&env);
    for (FaultEnv::Op op : {FaultEnv::kOpenRead, FaultEnv::kRead}) {
        env.FailNth(1, op, EACCES);
        std::unique_ptr<DiaryReader> reader = OpenDiaryForReading(DataDir());
        TEntryRecord record;
        EXPECT_FALSE(ReadNextRecord(*reader, &record)) << op;
        EXPECT_EQ(reader->status().code(), EACCES) << op;
    }
}

}  // namespace
}  // namespace store
