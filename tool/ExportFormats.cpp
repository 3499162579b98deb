// Entries as CSV and JSON (Markdown is in MarkdownExport.cpp).
#include "tool/ExportFormats.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <cstdio>

#include "dates/DiaryDates.h"
#include "platform/CodePage.h"

namespace tool {
namespace {

constexpr int kCsvHeadings = 6;

std::string TwoDigitFields(const char* format, int a, int b, int c) {
    char text[48];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == text.npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

// A cell of the diary's own text, made safe for a spreadsheet when asked.
std::string TextCell(const std::string& text, bool csvSafe) {
    if (csvSafe && !text.empty() && std::string_view("=+-@").find(text[0]) != std::string::npos) {
        return "'" + text;
    }
    return text;
}

void AppendCsvRecord(const std::vector<std::string>& fields, std::string* csv) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) *csv += ',';
        *csv += CsvField(fields[i]);
    }
    *csv += "\r\n";
}

std::vector<std::string> CsvHeader() {
    std::vector<std::string> header = {"kind",  "date",  "time",    "key",
                                       "stamp", "score", "summary", "note"};
    for (int i = 1; i <= kCsvHeadings; ++i) {
        header.push_back("heading" + std::to_string(i));
        header.push_back("score" + std::to_string(i));
    }
    return header;
}

const char* KindName(EntryKind kind) {
    return kind == EntryKind::kButton ? "button" : "text";
}

QString Q(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QJsonObject JsonEntry(const ExportedEntry& entry) {
    QJsonObject object{{"kind", KindName(entry.kind)},
                       {"date", Q(entry.date)},
                       {"time", Q(entry.time)},
                       {"key", static_cast<qint64>(entry.key)},
                       {"stamp", Q(entry.stamp)},
                       {"score", entry.score ? QJsonValue(*entry.score) : QJsonValue()}};
    if (entry.kind == EntryKind::kText || !entry.summary.empty()) {
        object.insert("summary", Q(entry.summary));
    }
    if (entry.kind == EntryKind::kText) {
        object.insert("note", Q(entry.note));
    } else {
        QJsonArray headings;
        for (const HeadingScore& heading : entry.headings) {
            headings.append(QJsonObject{
                {"heading", Q(heading.heading)},
                {"score", heading.Scored() ? QJsonValue(heading.score) : QJsonValue()}});
        }
        object.insert("headings", headings);
    }
    return object;
}

}  // namespace

std::string IsoLocalDate(std::int64_t instant) {
    const dates::LocalTime local = dates::ToLocalTime(instant);
    return TwoDigitFields("%04d-%02d-%02d", local.year, local.month, local.day);
}

std::string IsoLocalTime(std::int64_t instant) {
    const dates::LocalTime local = dates::ToLocalTime(instant);
    return TwoDigitFields("%02d:%02d:%02d", local.hour, local.minute, local.second);
}

std::optional<ExportFormat> ParseExportFormat(std::string_view name) {
    if (name == "csv") return ExportFormat::kCsv;
    if (name == "json") return ExportFormat::kJson;
    if (name == "markdown" || name == "md") return ExportFormat::kMarkdown;
    return std::nullopt;
}

ExportedEntry ToExported(const store::TEntryRecord& record, const ExportOptions& options) {
    const EntryFields fields = SplitEntry(record, options.known ? &*options.known : nullptr);
    ExportedEntry entry;
    entry.kind = fields.kind;
    entry.date = IsoLocalDate(record.Key);
    entry.time = IsoLocalTime(record.Key);
    entry.key = record.Key;
    entry.stamp = platform::Cp1252ToUtf8(record.Stamp);
    if (record.Score >= 0) entry.score = record.Score;
    entry.summary = platform::Cp1252ToUtf8(fields.summary);
    entry.note = platform::Cp1252ToUtf8(fields.note);
    for (const HeadingScore& heading : fields.headings) {
        entry.headings.push_back({platform::Cp1252ToUtf8(heading.heading), heading.score});
    }
    return entry;
}

std::string FormatCsv(const std::vector<store::TEntryRecord>& entries,
                      const ExportOptions& options) {
    const bool safe = options.csvSafe;
    std::string csv;
    AppendCsvRecord(CsvHeader(), &csv);
    for (const store::TEntryRecord& record : entries) {
        const ExportedEntry entry = ToExported(record, options);
        std::vector<std::string> fields = {KindName(entry.kind),
                                           entry.date,
                                           entry.time,
                                           std::to_string(entry.key),
                                           TextCell(entry.stamp, safe),
                                           entry.score ? std::to_string(*entry.score) : "",
                                           TextCell(entry.summary, safe),
                                           TextCell(entry.note, safe)};
        for (int i = 0; i < kCsvHeadings; ++i) {
            const bool given = i < static_cast<int>(entry.headings.size());
            const bool scored = given && entry.headings[i].Scored();
            fields.push_back(given ? TextCell(entry.headings[i].heading, safe) : "");
            fields.push_back(scored ? std::to_string(entry.headings[i].score) : "");
        }
        AppendCsvRecord(fields, &csv);
    }
    return csv;
}

std::string FormatJson(const std::vector<store::TEntryRecord>& entries,
                       const ExportOptions& options) {
    QJsonArray array;
    for (const store::TEntryRecord& record : entries) {
        array.append(JsonEntry(ToExported(record, options)));
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace tool
