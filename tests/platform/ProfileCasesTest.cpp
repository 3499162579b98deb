// Replays the calls recorded from a real implementation of the profile
// functions (tests/data/profile-cases.json) against ours.
//
// Method: each recorded case is one test. It lays down the case's initial
// file bytes in the test's own folder and makes the calls in order, checking
// each read's count and value bytes, each write's result and, where the
// recording has them, the file's exact bytes after the write. The recorded
// "final" file is not compared: the recorded implementation rewrote every
// line on each write, where we keep the other lines as they were.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/PrivateProfile.h"
#include "support/TestEnvironment.h"

namespace {

struct ProfileCase {
    std::string name;
    QJsonObject json;
};

void PrintTo(const ProfileCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<ProfileCase> LoadCases() {
    QFile file(JOTWEL_TEST_DATA "/profile-cases.json");
    if (!file.open(QIODevice::ReadOnly)) return {};
    std::vector<ProfileCase> cases;
    for (const QJsonValue c : QJsonDocument::fromJson(file.readAll())["cases"].toArray()) {
        cases.push_back({c["name"].toString().toStdString(), c.toObject()});
    }
    return cases;
}

const std::vector<ProfileCase>& Cases() {
    static const std::vector<ProfileCase> cases = LoadCases();
    return cases;
}

// A recorded byte string ({"hex": ..., "esc": ...}).
std::string Bytes(const QJsonValue& recorded) {
    return QByteArray::fromHex(recorded["hex"].toString().toLatin1()).toStdString();
}

std::optional<std::string> OptionalBytes(const QJsonValue& recorded) {
    if (recorded.isNull() || recorded.isUndefined()) return std::nullopt;
    return Bytes(recorded);
}

void CheckRead(const QJsonObject& op, const std::string& path) {
    const std::optional<std::string> key = OptionalBytes(op["key"]);
    const std::string def = OptionalBytes(op["default"]).value_or("");
    const platform::ProfileRead read = platform::GetPrivateProfileString(
        Bytes(op["section"]), key, def, op["capacity"].toInt(), path);
    EXPECT_EQ(read.count, op["result"].toInt());
    EXPECT_EQ(read.value, Bytes(op["value"]));
}

void CheckWrite(const QJsonObject& op, const std::string& path) {
    const platform::Status status = platform::WritePrivateProfileString(
        Bytes(op["section"]), Bytes(op["key"]), Bytes(op["value"]), path);
    EXPECT_EQ(status.ok(), op["result"].toInt() != 0) << status.message();
    if (const std::optional<std::string> after = OptionalBytes(op["file_after"])) {
        EXPECT_EQ(jtest::ReadFileBytes(path), *after);
    }
}

class ProfileCaseTest : public ::testing::TestWithParam<ProfileCase> {};

TEST_P(ProfileCaseTest, MatchesRecording) {
    const QJsonObject& c = GetParam().json;
    const std::string path = jtest::InTestDir(c["file"].toString().toStdString());
    if (const std::optional<std::string> initial = OptionalBytes(c["initial"])) {
        jtest::WriteFileBytes(path, *initial);
    }
    const QJsonArray ops = c["ops"].toArray();
    for (qsizetype i = 0; i < ops.size(); ++i) {
        SCOPED_TRACE(GetParam().name + " op " + std::to_string(i));
        const QJsonObject op = ops[i].toObject();
        if (op["op"].toString() == "read") {
            CheckRead(op, path);
        } else {
            CheckWrite(op, path);
        }
    }
    if (c["final"].isNull()) {
        EXPECT_FALSE(std::filesystem::exists(path)) << "reads made a file";
    }
}

INSTANTIATE_TEST_SUITE_P(Recorded, ProfileCaseTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

TEST(ProfileCases, EveryRecordedCallIsReplayed) {
    qsizetype calls = 0;
    for (const ProfileCase& c : Cases()) calls += c.json["ops"].toArray().size();
    EXPECT_EQ(Cases().size(), 37u);
    EXPECT_EQ(calls, 205);
}

}  // namespace
