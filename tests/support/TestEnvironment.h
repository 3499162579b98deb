#pragma once
// What every test gets without asking: a fresh temporary folder that is the
// current directory (the data directory), a fresh settings location
// (XDG_CONFIG_HOME inside it), and TZ=UTC unless the test sets another zone.
//
// Method: a gtest event listener makes the folder before each test and
// removes it after, so no test sees files another test left behind.

#include <string>
#include <vector>

namespace jtest {

// The current test's temporary folder (also the current directory).
const std::string& TestDir();
// Path of a name inside TestDir().
std::string InTestDir(const std::string& name);
// The folder the settings file lives in for the current test.
std::string ConfigDir();
// Sets TZ for the rest of the current test (restored to UTC after it).
void SetTimeZone(const char* tz);

// Whole content of a file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// Writes bytes to a file, replacing it; fails the test on error.
void WriteFileBytes(const std::string& path, const std::string& bytes);
// The names in folder dir that a whole-file write leaves only when it fails
// to clean up: temporary files ("*.tmp") and hold files ("*.hld").
std::vector<std::string> TemporaryFilesIn(const std::string& dir);

}  // namespace jtest
