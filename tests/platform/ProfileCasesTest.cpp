// Replays the recorded profile calls (tests/data/profile-cases.json): every
// read's count and value, every write's result and, where recorded, the
// file's bytes after it (elsewhere the layout is ours: we keep other lines).
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/PrivateProfile.h"
#include "support/TestEnvironment.h"

namespace {

// A recorded byte string ({"hex": ..., "esc": ...}), or null.
std::optional<std::string> Bytes(const QJsonValue& recorded) {
    if (recorded.isNull() || recorded.isUndefined()) return std::nullopt;
    return QByteArray::fromHex(recorded["hex"].toString().toLatin1()).toStdString();
}

TEST(ProfileCases, EveryRecordedCallGivesTheRecordedResult) {
    QFile file(JOTWEL_TEST_DATA "/profile-cases.json");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const QJsonArray cases = QJsonDocument::fromJson(file.readAll())["cases"].toArray();
    qsizetype calls = 0;
    for (const QJsonValue c : cases) {
        const std::string name = c["name"].toString().toStdString();
        const std::string path = jtest::InTestDir(c["file"].toString().toStdString());
        std::filesystem::remove(path);
        if (const auto initial = Bytes(c["initial"])) jtest::WriteFileBytes(path, *initial);
        const QJsonArray ops = c["ops"].toArray();
        calls += ops.size();
        for (qsizetype i = 0; i < ops.size(); ++i) {
            SCOPED_TRACE(name + " op " + std::to_string(i));
            const QJsonObject op = ops[i].toObject();
            const std::string section = Bytes(op["section"]).value_or("");
            if (op["op"].toString() == "read") {
                const platform::ProfileRead read = platform::GetPrivateProfileString(
                    section, Bytes(op["key"]), Bytes(op["default"]).value_or(""),
                    op["capacity"].toInt(), path);
                EXPECT_EQ(read.count, op["result"].toInt());
                EXPECT_EQ(read.value, Bytes(op["value"]).value_or(""));
                continue;
            }
            const platform::Status status = platform::WritePrivateProfileString(
                section, Bytes(op["key"]).value_or(""), Bytes(op["value"]).value_or(""), path);
            EXPECT_EQ(status.ok(), op["result"].toInt() != 0) << status.message();
            if (const auto after = Bytes(op["file_after"])) {
                EXPECT_EQ(jtest::ReadFileBytes(path), *after);
            }
        }
        if (c["final"].isNull()) {
            EXPECT_FALSE(std::filesystem::exists(path)) << name << ": reads made a file";
        }
    }
    EXPECT_EQ(cases.size(), 37);
    EXPECT_EQ(calls, 205);
}

}  // namespace
