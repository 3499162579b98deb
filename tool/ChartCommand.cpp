// chart: the scores of the entries in a date range, drawn to SVG or PNG.
#include <stdlib.h>

#include <QGuiApplication>
#include <cctype>
#include <cstdio>
#include <memory>
#include <optional>

#include "store/Diary.h"
#include "tool/Chart.h"
#include "tool/Commands.h"
#include "tool/EntryFields.h"
#include "tool/RunTool.h"

namespace tool {
namespace {

// Qt's own notes about the session it runs in ("XDG_RUNTIME_DIR not set")
// mean nothing to someone drawing a chart; failures come back as statuses.
void DropQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "jotwel-tool: %s\n", message.toLocal8Bit().constData());
    }
}

// The QGuiApplication that drawing needs, made for this run when none
// exists (the program makes none for the other commands). It runs
// offscreen unless QT_QPA_PLATFORM says otherwise, so no display is needed.
class GuiApplicationForRun {
public:
    GuiApplicationForRun() {
        if (QCoreApplication::instance() == nullptr) {
            setenv("QT_QPA_PLATFORM", "offscreen", 0);
            previousHandler_ = qInstallMessageHandler(DropQtNotes);
            app_ = std::make_unique<QGuiApplication>(argc_, argv_);
        }
    }
    ~GuiApplicationForRun() {
        if (app_) {
            app_.reset();
            qInstallMessageHandler(previousHandler_);
        }
    }
    GuiApplicationForRun(const GuiApplicationForRun&) = delete;
    GuiApplicationForRun& operator=(const GuiApplicationForRun&) = delete;

private:
    static inline char name_[] = "jotwel-tool";
    static inline char* argv_[] = {name_, nullptr};
    static inline int argc_ = 1;
    QtMessageHandler previousHandler_ = nullptr;
    std::unique_ptr<QGuiApplication> app_;
};

std::optional<ChartFormat> FormatOfPath(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    std::string extension = dot == path.npos ? std::string() : path.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "svg") return ChartFormat::kSvg;
    if (extension == "png") return ChartFormat::kPng;
    return std::nullopt;
}

}  // namespace

int RunChart(const ToolContext& context) {
    if (!context.Has("-o"))
        return context.Fail(kExitUserError, "chart", "needs -o FILE.svg or FILE.png");
    const std::string path = context.Value("-o");
    const std::optional<ChartFormat> format = FormatOfPath(path);
    if (!format) {
        return context.Fail(kExitUserError, path, "the chart's file must end in .svg or .png");
    }
    if (int status = CheckOutputPath(context, path)) return status;
    listing::ReportRequest request;
    if (int status = ReadRequest(context, &request)) return status;
    if (int status = RequireDiary(context)) return status;
    std::vector<store::TEntryRecord> entries;
    const platform::Status read =
        ReadSelectedEntries(context.dataDir, listing::MakeCriteria(request), &entries);
    if (!read.ok()) {
        return context.FailFile(kExitFileError, store::DiaryPath(context.dataDir), read);
    }
    const ChartData data = MakeChartData(entries);
    if (data.empty()) {
        return context.Fail(kExitUserError, "chart",
                            "no entry in the range has a score; nothing was drawn");
    }
    GuiApplicationForRun application;
    if (platform::Status written = WriteChart(data, path, *format); !written.ok()) {
        return context.FailFile(kExitFileError, path, written);
    }
    return kExitOk;
}

}  // namespace tool
