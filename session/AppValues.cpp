#include "session/AppValues.h"

namespace session {

AppValues& Values() {
    static AppValues values;
    return values;
}

void ResetValues() {
    Values() = AppValues();
}

}  // namespace session
