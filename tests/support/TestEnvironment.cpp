#include "TestEnvironment.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace jtest {
namespace {

std::string g_testDir;
std::string g_startDir;

class FreshFolders : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        char pattern[] = "/tmp/jotwel-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        ASSERT_NE(made, nullptr);
        g_testDir = made;
        std::filesystem::create_directories(g_testDir + "/config");
        setenv("XDG_CONFIG_HOME", (g_testDir + "/config").c_str(), 1);
        ASSERT_EQ(chdir(g_testDir.c_str()), 0);
        SetTimeZone("UTC");
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        if (chdir(g_startDir.c_str()) != 0) {
            ADD_FAILURE() << "cannot return to " << g_startDir;
        }
        std::error_code ignored;
        std::filesystem::permissions(g_testDir, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(g_testDir, ignored);
        g_testDir.clear();
    }
};

}  // namespace

void InstallFreshFolders() {
    char buffer[4096];
    g_startDir = getcwd(buffer, sizeof buffer) ? buffer : "/";
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshFolders);
}

const std::string& TestDir() {
    return g_testDir;
}
std::string InTestDir(const std::string& name) {
    return g_testDir + "/" + name;
}
std::string ConfigDir() {
    return g_testDir + "/config";
}

void SetTimeZone(const char* tz) {
    setenv("TZ", tz, 1);
    tzset();
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::vector<std::string> TemporaryFilesIn(const std::string& dir) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(".tmp") || name.ends_with(".hld")) names.push_back(name);
    }
    return names;
}

}  // namespace jtest
