#include "app/AppValues.h"

namespace app {

TAppValues& Values() {
    static TAppValues values;
    return values;
}

void ResetValues() { Values() = TAppValues(); }

}  // namespace app
