#include "PrintTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/AppValues.h"
#include "support/TestEnvironment.h"

namespace ptest {
namespace {

std::vector<std::string> NonEmptyLines(const QString& page) {
    std::vector<std::string> lines;
    for (const QString& line : page.split('\n')) {
        const QString simplified = line.simplified();
        if (!simplified.isEmpty()) lines.push_back(simplified.toStdString());
    }
    return lines;
}

}  // namespace

QWidget* ShownProgressDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "dlg32599" && widget->isVisible()) return widget;
    }
    return nullptr;
}

std::string ListingLine(int i) {
    char line[64];
    std::snprintf(line, sizeof line, "%02d/06/20 @ 12:00:00 Score = 5   listed line %03d",
                  i % 28 + 1, i);
    return line;
}

std::string ListingOf(int count) {
    std::string bytes = "Date\tEvents\tScore\tDate/time entered\r\n";
    for (int i = 1; i <= count; ++i) bytes += ListingLine(i) + "\r\n";
    return bytes;
}

void PutListing(const std::string& bytes, int count) {
    app::Values().dataDirectory = jtest::TestDir();
    app::Values().listingLineCount = count;
    jtest::WriteFileBytes(jtest::InTestDir("listd.tmp"), bytes);
}

std::vector<std::string> PrintedLines(int first, int last) {
    std::vector<std::string> lines;
    for (int i = first; i <= last; ++i) {
        lines.push_back(QString::fromStdString(i == 0 ? kPrintedHeading : ListingLine(i))
                            .simplified()
                            .toStdString());
    }
    return lines;
}

std::vector<std::vector<std::string>> PdfPages(const std::string& path) {
    QProcess process;
    process.start("pdftotext", {"-layout", "-enc", "UTF-8", QString::fromStdString(path), "-"});
    if (!process.waitForFinished(20000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext (poppler-utils) could not read " << path << ": "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split('\f');
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
    std::vector<std::vector<std::string>> result;
    for (const QString& page : pages) result.push_back(NonEmptyLines(page));
    return result;
}

bool FileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

std::unique_ptr<QObject> OnProgressDialog(std::function<void(QWidget* dialog)> action) {
    auto timer = std::make_unique<QTimer>();
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QTimer* polling = timer.get();
    QObject::connect(polling, &QTimer::timeout, [polling, started, action = std::move(action)] {
        QWidget* dialog = ShownProgressDialog();
        if (!dialog && started->elapsed() < 5000) return;
        polling->stop();
        if (dialog)
            action(dialog);
        else
            ADD_FAILURE() << "no Printing dialog was shown";
    });
    timer->start(0);
    return timer;
}

}  // namespace ptest
