// Qt's own translations: the buttons Qt names itself follow the language
// asked for, when Qt's translations are installed for it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include "framework/QtTranslations.h"

namespace jtest {
namespace {

// Installs Qt's translation for a locale for the length of one test.
class InstalledTranslation {
public:
    explicit InstalledTranslation(const char* locale)
        : translator_(framework::InstallQtTranslations(QLocale(locale))) {}
    ~InstalledTranslation() {
        if (!translator_) return;
        QCoreApplication::removeTranslator(translator_);
        delete translator_;
    }
    bool installed() const { return translator_ != nullptr; }

private:
    QTranslator* translator_;
};

QString ButtonText(const QMessageBox& box, QMessageBox::StandardButton which) {
    return box.button(which) ? box.button(which)->text() : QString("(no button)");
}

TEST(QtTranslationsTest, MessageBoxButtonsAndThePrintDialogFollowTheLanguage) {
    struct Case {
        const char* locale;
        const char* yes;
        const char* no;
        const char* print;  // the print dialog's title
    };
    const Case cases[] = {
        {.locale = "de_DE", .yes = "&Ja", .no = "&Nein", .print = "Drucken"},
        {.locale = "fr_FR", .yes = "&Oui", .no = "&Non", .print = "Imprimer"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        const InstalledTranslation translation(c.locale);
        ASSERT_TRUE(translation.installed()) << "Qt's translations (qt6-translations-l10n) missing";
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(ButtonText(box, QMessageBox::Yes), c.yes);
        EXPECT_EQ(ButtonText(box, QMessageBox::No), c.no);
        EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), c.print);
    }
}

TEST(QtTranslationsTest, WithoutATranslationQtKeepsItsEnglish) {
    const InstalledTranslation translation("tlh");  // no translation of Qt for it
    EXPECT_FALSE(translation.installed());
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes);
    EXPECT_EQ(ButtonText(box, QMessageBox::Yes), "&Yes");
}

}  // namespace
}  // namespace jtest
