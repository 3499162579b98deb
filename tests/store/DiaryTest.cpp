// The store on real files: the 534-byte record, how entries become records
// and listing lines, finding the record a listing line shows; reading and
// changing the diary, and every failure a full, broken or read-only disk
// can cause there (injected through FaultEnv); kept versions, under a set
// clock; and what a change does to the files around the diary: permissions
// and links kept, links and pipes planted at the program's names never
// followed or waited on, and a version that never costs a save.

#include <gtest/gtest.h>
#include <sys/stat.h>

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
namespace fs = std::filesystem;

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
    foreign[3] = 'q';  // a Text that fills its room is read without the Stamp
    EXPECT_EQ(DecodeRecord(foreign.data()).Text, std::string(501, 'q'));
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
    // Keys compare as signed 32-bit values, without overflow at the ends.
    PutDiary({Rec(-1), Rec(INT32_MAX)});
    ASSERT_TRUE(InsertRecordInOrder(DataDir(), Rec(INT32_MIN)).ok());
    ASSERT_TRUE(InsertRecordInOrder(DataDir(), Rec(0)).ok());
    EXPECT_EQ(Keys(ReadDiary()), (std::vector<std::int32_t>{INT32_MIN, -1, 0, INT32_MAX}));
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
    EXPECT_EQ(ReadDiary(), old);
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
    EXPECT_EQ(ReadDiary(), rewritten);
    const platform::Status refused = RewriteDiary(DataDir(), [](const Records&, Records* next) {
        *next = {};
        return platform::Status::Error(0, "no");
    });
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(ReadDiary(), rewritten);
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
    EXPECT_TRUE(ReadDiary().empty());
    PutDiary(RecsWithKeys({10, 30}), "fragment");
    EXPECT_EQ(ReadDiary(), RecsWithKeys({10, 30}));
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

constexpr std::int64_t kSunday = 1417986309;  // 2014-12-07 21:05:09 UTC

std::string Folder() {
    return VersionsPath(DataDir());
}
std::string InFolder(const std::string& name) {
    return (fs::path(Folder()) / name).string();
}

std::string Keep(DiaryChange change) {
    std::string made = "unset";
    const platform::Status status = KeepVersionBeforeChange(DataDir(), change, &made);
    EXPECT_TRUE(status.ok()) << status.message();
    return made;
}

struct stat StatOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st;
}
unsigned ModeOf(const std::string& path) {
    return StatOf(path).st_mode & 07777;
}

// A set clock, and under it a file layer that fails only when a test says.
class VersionsTest : public ::testing::Test {
protected:
    platform::ClockEnv clock_{platform::PosixEnv(), kSunday};
    FaultEnv faults_{&clock_};
    platform::ScopedEnv useFaults_{&faults_};
};
using FileSafety = VersionsTest;

// Names come from the local clock, with a copy number in the same second.
TEST_F(VersionsTest, TheFirstChangeOfEachDayAndEveryDeletionKeepAPlainCopy) {
    jtest::SetTimeZone("XST-10");                 // ten hours ahead of UTC
    clock_.SetNow(kSunday - 10 * 3600);           // 21:05:09 there
    EXPECT_EQ(Keep(DiaryChange::kDeletion), "");  // absent
    PutDiary(Records{});
    EXPECT_EQ(Keep(DiaryChange::kAddition), "");  // empty
    EXPECT_FALSE(fs::exists(Folder()));

    const std::string first = DiaryOf(RecsWithKeys({10, 20})) + "fragment";
    jtest::WriteFileBytes(DiaryPath(DataDir()), first);
    EXPECT_EQ(Keep(DiaryChange::kAddition), "Jotwel-2014-12-07-210509.dat");
    PutDiary(RecsWithKeys({10, 20, 30}));
    clock_.Advance(2 * 3600);
    EXPECT_EQ(Keep(DiaryChange::kAddition), "");  // later the same day
    EXPECT_EQ(Keep(DiaryChange::kDeletion), "Jotwel-2014-12-07-230509.dat");
    clock_.Advance(3600);
    EXPECT_EQ(Keep(DiaryChange::kAddition), "Jotwel-2014-12-08-000509.dat");
    EXPECT_EQ(Keep(DiaryChange::kDeletion), "Jotwel-2014-12-08-000509-2.dat");

    EXPECT_EQ(jtest::ReadFileBytes(InFolder("Jotwel-2014-12-07-210509.dat")), first);
    std::vector<DiaryVersion> versions;
    ASSERT_TRUE(ListVersions(DataDir(), &versions).ok());
    ASSERT_EQ(versions.size(), 4u);
    EXPECT_EQ(versions[2].madeAt, kSunday - 7 * 3600);
}

// 30 versions from November and names that only look like versions: the
// oldest version goes with each new one (by time, not by name), nothing else
// is touched, and a version made with the clock set back stays.
TEST_F(VersionsTest, KeepsTheNewestThirty) {
    std::vector<std::string> old = {"Jotwel-2014-11-01-120000.dat",
                                    "Jotwel-2014-11-01-120000-2.dat",
                                    "Jotwel-2014-11-01-120000-10.dat"};
    for (int day = 2; day <= 28; ++day) {
        char name[64];
        std::snprintf(name, sizeof name, "Jotwel-2014-11-%02d-120000.dat", day);
        old.push_back(name);
    }
    const std::vector<std::string> foreign = {
        "Jotwel-2014-11-01-120000-1.dat", "Jotwel-2014-11-01-120000-02.dat",
        "Jotwel-2014-13-01-120000.dat", "Jotwel-2014-11-01-120000.dat~"};
    fs::create_directories(Folder());
    for (const std::string& name : old) jtest::WriteFileBytes(InFolder(name), name);
    for (const std::string& name : foreign) jtest::WriteFileBytes(InFolder(name), name);
    PutDiary(RecsWithKeys({1}));

    std::vector<std::string> expected(old.begin() + 2, old.end());
    expected.push_back(Keep(DiaryChange::kAddition));
    clock_.Advance(86400);
    expected.push_back(Keep(DiaryChange::kAddition));
    EXPECT_EQ(jtest::VersionNames(), expected);
    clock_.SetNow(kSunday - 365 * 86400);
    const std::string backdated = Keep(DiaryChange::kAddition);
    EXPECT_EQ(jtest::VersionNames().front(), backdated);
    EXPECT_FALSE(fs::exists(InFolder(old[2])));
    for (const std::string& name : foreign) EXPECT_EQ(jtest::ReadFileBytes(InFolder(name)), name);
}

// A restore keeps the diary as it stands first (none when there is no
// diary), then copies the version back; it takes only a kept version's name.
TEST_F(VersionsTest, ARestoreKeepsTheDiaryFirstAndRefusesWhatIsNotAKeptVersion) {
    PutDiary(RecsWithKeys({1}));
    const std::string version = Keep(DiaryChange::kDeletion);
    jtest::WriteFileBytes(InFolder("notes.txt"), "not a diary");
    const char* const refused[] = {
        "notes.txt", "../Jotwel.dat", "Jotwel.versions/Jotwel-2014-12-07-210509.dat",
        "Jotwel-2014-12-07-210509.dat/../../Jotwel.dat", "Jotwel-2014-12-07-210510.dat"};
    for (const std::string name : refused) {
        const platform::Status status = RestoreVersion(DataDir(), name);
        EXPECT_EQ(status.code(), name.ends_with("10.dat") ? ENOENT : EINVAL) << name;
        EXPECT_TRUE(DiaryIs(DiaryOf(RecsWithKeys({1})))) << name;
    }
    EXPECT_EQ(jtest::VersionNames(), std::vector<std::string>{version});

    PutDiary(RecsWithKeys({1, 2}));
    std::string saved;
    ASSERT_TRUE(RestoreVersion(DataDir(), version, &saved).ok());
    EXPECT_TRUE(DiaryIs(DiaryOf(RecsWithKeys({1}))));
    EXPECT_EQ(jtest::ReadFileBytes(InFolder(saved)), DiaryOf(RecsWithKeys({1, 2})));
    fs::remove(DiaryPath(DataDir()));
    std::string savedAgain = "unset";
    ASSERT_TRUE(RestoreVersion(DataDir(), saved, &savedAgain).ok());
    EXPECT_EQ(savedAgain, "");
    EXPECT_TRUE(DiaryIs(DiaryOf(RecsWithKeys({1, 2}))));
}

// One change of each kind, on a diary holding keys 1 and 2.
platform::Status Restore() {
    std::string made;
    platform::Status kept = KeepVersionBeforeChange(DataDir(), DiaryChange::kDeletion, &made);
    return kept.ok() ? RestoreVersion(DataDir(), made) : kept;
}
const std::function<platform::Status()> kChanges[] = {
    [] { return InsertRecordInOrder(DataDir(), Rec(5)); },
    [] { return AppendRecord(DataDir(), Rec(5)); },
    [] {
        return DeleteRecordAt(DataDir(), {0, RecsWithKeys({1})[0]});
    },
    Restore,
};

// A private diary kept elsewhere and linked in stays linked and private: the
// file it points to takes every change, through a hold file in its own
// folder. The versions are private, and so is a new diary.
TEST_F(FileSafety, ALinkedPrivateDiaryStaysALinkAndPrivateThroughEveryChange) {
    const std::string real = jtest::InTestDir("elsewhere/real.dat");
    for (const auto& change : kChanges) {
        fs::remove_all(jtest::InTestDir("elsewhere"));
        fs::remove(DiaryPath(DataDir()));
        fs::create_directories(jtest::InTestDir("elsewhere"));
        jtest::WriteFileBytes(real, DiaryOf(RecsWithKeys({1, 2})));
        ::chmod(real.c_str(), 0600);
        fs::create_symlink("elsewhere/real.dat", DiaryPath(DataDir()));
        ASSERT_TRUE(change().ok());
        EXPECT_TRUE(fs::is_symlink(DiaryPath(DataDir())));
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(real)));
        EXPECT_EQ(ModeOf(real), 0600u);
        if (&change != &kChanges[3]) {  // a restore puts back the same bytes
            EXPECT_NE(jtest::ReadFileBytes(real), DiaryOf(RecsWithKeys({1, 2})));
        }
        EXPECT_TRUE(jtest::TemporaryFilesIn(jtest::InTestDir("elsewhere")).empty());
    }
    EXPECT_EQ(ModeOf(VersionsPath(DataDir())), 0700u);
    const std::vector<std::string> versions = jtest::VersionNames();
    ASSERT_FALSE(versions.empty());
    for (const std::string& name : versions) EXPECT_EQ(ModeOf(InFolder(name)), 0600u) << name;
    fs::remove(DiaryPath(DataDir()));
    ASSERT_TRUE(AppendRecord(DataDir(), Rec(1)).ok());
    EXPECT_EQ(ModeOf(DiaryPath(DataDir())), 0600u);
}
// A link planted at the hold file's name is removed, never written through;
// a restore puts back only a regular file of the versions folder.
TEST_F(FileSafety, ALinkPlantedAtTheHoldFileOrAsAVersionIsNeverFollowed) {
    const std::string victim = jtest::InTestDir("victim");
    jtest::WriteFileBytes(victim, "keep me");
    PutDiary(RecsWithKeys({1, 9}));
    fs::create_symlink(victim, HoldPath(DataDir()));
    ASSERT_TRUE(InsertRecordInOrder(DataDir(), Rec(5)).ok());  // a rebuild: 5 goes between
    EXPECT_EQ(jtest::ReadFileBytes(victim), "keep me");
    EXPECT_FALSE(fs::exists(fs::symlink_status(HoldPath(DataDir()))));
    EXPECT_EQ(ReadDiary().size(), 3u);

    fs::create_directories(VersionsPath(DataDir()));
    fs::create_symlink(victim, InFolder("Jotwel-2014-01-01-000000.dat"));
    const platform::Status status = RestoreVersion(DataDir(), "Jotwel-2014-01-01-000000.dat");
    EXPECT_NE(status.message().find("not a regular file"), std::string::npos) << status.message();
    EXPECT_EQ(ReadDiary().size(), 3u);
}

// A named pipe at the diary's name is refused at once as a file that cannot
// be read: nothing waits for a writer that never comes.
TEST_F(FileSafety, APipeAtTheDiaryIsRefusedWithoutWaiting) {
    ASSERT_EQ(::mkfifo(DiaryPath(DataDir()).c_str(), 0600), 0);
    for (const auto& change : {kChanges[0], kChanges[1], kChanges[2]}) {
        const platform::Status status = change();
        EXPECT_NE(status.message().find("not a regular file"), std::string::npos)
            << status.message();
    }
    std::unique_ptr<DiaryReader> reader = OpenDiaryForReading(DataDir());
    EXPECT_NE(reader->status().message().find("not a regular file"), std::string::npos);
    EXPECT_TRUE(fs::is_fifo(DiaryPath(DataDir())));
}

// The first append of a day copies the diary as its version; when the disk
// then has no room for the record, the copy goes and the append is tried
// again, so the entry is saved.
TEST_F(FileSafety, AVersionNeverCostsASave) {
    PutDiary(RecsWithKeys({1, 2}));
    faults_.FailNth(0, FaultEnv::kWrite, 0);
    VersionRequest counted;
    ASSERT_TRUE(AppendRecord(DataDir(), Rec(5), nullptr, &counted).ok());
    ASSERT_FALSE(counted.made.empty());
    const int writes = faults_.count();  // the append's write is the last

    fs::remove_all(VersionsPath(DataDir()));
    PutDiary(RecsWithKeys({1, 2}));
    faults_.FailNth(writes, FaultEnv::kWrite, ENOSPC);
    VersionRequest version;
    const platform::Status status = AppendRecord(DataDir(), Rec(5), nullptr, &version);
    EXPECT_TRUE(faults_.fired());
    EXPECT_TRUE(status.ok()) << status.message();
    EXPECT_EQ(Keys(ReadDiary()), (std::vector<std::int32_t>{1, 2, 5}));
    EXPECT_EQ(version.status.code(), ENOSPC);
    EXPECT_TRUE(jtest::VersionNames().empty());
}

// A rebuild's version is a second name of the old diary file, made just
// before the rename: it takes no room and holds the diary as it was.
TEST_F(FileSafety, ARebuildKeepsItsVersionAsALinkToTheOldDiary) {
    PutDiary(RecsWithKeys({1, 9}));
    const ino_t old = StatOf(DiaryPath(DataDir())).st_ino;
    VersionRequest version;
    ASSERT_TRUE(InsertRecordInOrder(DataDir(), Rec(5), nullptr, &version).ok());
    ASSERT_TRUE(version.status.ok()) << version.status.message();
    const std::string made = InFolder(version.made);
    EXPECT_EQ(jtest::ReadFileBytes(made), DiaryOf(RecsWithKeys({1, 9})));
    EXPECT_EQ(fs::hard_link_count(made), 1u);  // the diary itself is a new file now
    EXPECT_EQ(StatOf(made).st_ino, old);
    EXPECT_EQ(ReadDiary().size(), 3u);

    // Where the file system makes no second name (EPERM, EXDEV), the version
    // is a copy all the same.
    const std::string before = *DiaryBytes();
    faults_.FailNth(1, FaultEnv::kLink, EPERM);
    VersionRequest copied(DiaryChange::kDeletion);
    ASSERT_TRUE(InsertRecordInOrder(DataDir(), Rec(2), nullptr, &copied).ok());
    EXPECT_TRUE(faults_.fired() && copied.status.ok());
    EXPECT_EQ(jtest::ReadFileBytes(InFolder(copied.made)), before);
}

}  // namespace
}  // namespace store
