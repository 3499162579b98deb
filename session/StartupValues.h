#pragma once
// The steps of start-up that fill the process-wide values, each in its own
// function so the main window's set-up runs them in their order.

#include <string>

#include "session/AppValues.h"

namespace session {

// True when the first argument after the program name is exactly "auto".
bool IsAutoMode(int argc, const char* const* argv);

// The process's current directory, whole; empty when it cannot be had.
std::string CaptureDataDirectory();
// True only when the settings key Today holds exactly "ToDay".
bool ReadTodayPreference();
// Today from the clock, and yesterday from a second reading less one day;
// with today's compact and short dates.
void TakeTodayAndYesterday(AppValues& values);
// The six subject headings Head0..Head5, each at most 24 bytes.
void ReadSubjectHeadings(AppValues& values);
// In auto mode: takes the clock again (replacing the today instant and its
// compact date) and tells whether LastDate already holds today, so the
// program can end at once.
bool TodayAlreadyEntered(AppValues& values);

// The decision of "jotwel auto" at log-on, made before any window or the
// application object exists: notes in values whether this is an auto start
// and, when it is, whether LastDate already holds today. True when the
// program should end at once, without showing anything.
bool EndsBeforeAnyWindow(int argc, const char* const* argv, AppValues& values);

}  // namespace session
