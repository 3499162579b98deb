// check: the diary file looked over, one line per problem, then a summary.
#include <ostream>

#include "store/Diary.h"
#include "tool/Check.h"
#include "tool/Commands.h"
#include "tool/RunTool.h"

namespace tool {

int RunCheck(const ToolContext& context) {
    if (int status = RequireDiary(context, false)) return status;
    const DiaryCheck check = CheckDiary(context.dataDir);
    if (!check.status.ok()) {
        return context.FailFile(kExitFileError, store::DiaryPath(context.dataDir), check.status);
    }
    for (const std::string& line : DescribeCheck(check, context.dataDir)) {
        context.out << line << '\n';
    }
    return check.TotalFound() == 0 ? kExitOk : kExitFileError;
}

}  // namespace tool
