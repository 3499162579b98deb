#include "entry/DayHeading.h"

namespace entry {

DayHeading::DayHeading(framework::TDialog* dialog, int headingId, int labelId, int todayBoxId)
    : heading_(dialog, headingId), label_(dialog, labelId), todayBox_(dialog, todayBoxId) {}

void DayHeading::Open(const DayTexts& texts, bool forToday) {
    Show(texts);
    todayBox_.SetCheck(forToday);
}

void DayHeading::TodayBoxClicked(dates::Instant today, bool keepHeading) {
    const DayTexts texts = TodayBoxTexts(todayBox_.IsChecked(), today);
    if (keepHeading) {
        label_.SetText(texts.label);
    } else {
        Show(texts);
    }
}

void DayHeading::SetHeading(const std::string& heading) {
    heading_.SetText(heading);
}

bool DayHeading::ForToday() const {
    return todayBox_.IsChecked();
}

void DayHeading::Show(const DayTexts& texts) {
    heading_.SetText(texts.heading);
    label_.SetText(texts.label);
}

}  // namespace entry
