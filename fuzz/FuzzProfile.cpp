// Fuzz target: the settings file. Starting from any file bytes (or no file),
// a run of writes and reads of keys and values, many of them odd, keeps
// these rules:
// - a write the file cannot hold (a line break, NUL or Ctrl-Z anywhere, a key that
//   starts with "[" or holds "=") is refused and leaves the file as it was;
// - a written value reads back as it was given, trimmed of blanks at both
//   ends and of one pair of matching quotes around it, cut to the reader's
//   capacity; keys match without regard to ASCII case and blanks around them;
// - the keys of the section that were not written, and every key of another
//   section, read as they did before;
// - a write that fails (the n-th file operation fails) leaves the old file
//   or puts the new one in place, and never leaves its temporary file.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "platform/PrivateProfile.h"
#include "support/env/FaultEnv.h"
#include "support/env/MemEnv.h"

namespace {

constexpr char kPath[] = "/mem/config/ZORVANT.INI";
constexpr std::string_view kSection = "Jotwel";
constexpr std::string_view kOtherSection = "Other";
constexpr std::string_view kBlanks = " \t\v\f";

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

// What a stored value reads back as.
std::string ReadsAs(std::string_view value) {
    value = Trim(value);
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0\x1A", 4)) != std::string_view::npos;
}

bool Storable(std::string_view key, std::string_view value) {
    return !HasLineBreakOrNul(key) && !HasLineBreakOrNul(value) && !Trim(key).starts_with('[') &&
           key.find('=') == std::string_view::npos;
}

std::string Pick(FuzzedDataProvider& input) {
    static const std::vector<std::string> kNames = {"Today",   "ToDay",    " head0 ", "HEAD1",
                                                    "TextTit", "LastDate", "",        "a b"};
    if (input.ConsumeBool()) return input.ConsumeRandomLengthString(24);
    return kNames[input.ConsumeIntegralInRange<std::size_t>(0, kNames.size() - 1)];
}

std::string Read(std::string_view key, int capacity) {
    return platform::GetPrivateProfileString(kSection, key, "", capacity, kPath).value;
}

// The values of every key of a section, by name, as they read now.
std::map<std::string, std::string> SectionValues(std::string_view section) {
    constexpr int kLarge = 1 << 20;
    std::map<std::string, std::string> values;
    const std::string names =
        platform::GetPrivateProfileString(section, std::nullopt, "", kLarge, kPath).value;
    for (std::size_t at = 0; at < names.size();) {
        const std::size_t end = std::min(names.find('\0', at), names.size());
        const std::string name = names.substr(at, end - at);
        values[name] = platform::GetPrivateProfileString(section, name, "", kLarge, kPath).value;
        at = end + 1;
    }
    return values;
}

struct Run {
    fuzzing::MemEnv& mem;
    platform::FaultEnv& faults;
    std::map<std::string, std::string> written;  // lower-case trimmed key -> value given

    void Write(const std::string& key, const std::string& value, int failAt, int error) {
        const std::optional<std::string> before = mem.Contents(kPath);
        faults.FailNth(failAt, platform::FaultEnv::kAll, error);
        const platform::Status status =
            platform::WritePrivateProfileString(kSection, key, value, kPath);
        const bool fired = faults.fired();
        faults.FailNth(0, 0, 0);
        FUZZ_CHECK(!mem.FileExists(std::string(kPath) + ".tmp"));
        if (!Storable(key, value)) {
            FUZZ_CHECK(status.code() == EINVAL && mem.Contents(kPath) == before);
            return;
        }
        FUZZ_CHECK(status.ok() || fired);
        if (!status.ok() && mem.Contents(kPath) == before) return;
        written[Lower(Trim(key))] = value;
    }

    void CheckWritten(const std::string& key, int capacity) const {
        const auto found = written.find(Lower(Trim(key)));
        if (found == written.end()) return;
        std::string expected = ReadsAs(found->second);
        expected.resize(std::min(expected.size(), static_cast<std::size_t>(capacity - 1)));
        FUZZ_CHECK(Read(key, capacity) == expected);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    fuzzing::MemEnv mem;
    platform::FaultEnv faults(&mem);
    platform::ScopedEnv scoped(&faults);
    if (input.ConsumeBool()) mem.Put(kPath, input.ConsumeRandomLengthString(4096));

    const auto ownBefore = SectionValues(kSection);
    const auto otherBefore = SectionValues(kOtherSection);
    Run run{mem, faults, {}};
    for (int steps = 0; steps < 16 && input.remaining_bytes() > 0; ++steps) {
        const std::string key = Pick(input);
        if (input.ConsumeBool()) {
            const std::string value = input.ConsumeRandomLengthString(64);
            const int failAt = input.ConsumeBool() ? input.ConsumeIntegralInRange(1, 8) : 0;
            const int error = input.PickValueInArray({ENOSPC, EIO, EACCES});
            run.Write(key, value, failAt, error);
        } else {
            run.CheckWritten(key, input.ConsumeIntegralInRange(1, 80));
        }
    }
    for (const auto& [key, value] : run.written) run.CheckWritten(key, 1 << 20);
    for (const auto& [key, value] : ownBefore) {
        if (run.written.count(Lower(Trim(key))) == 0) {
            FUZZ_CHECK(Read(key, 1 << 20) == value);
        }
    }
    FUZZ_CHECK(SectionValues(kOtherSection) == otherBefore);
    return 0;
}
