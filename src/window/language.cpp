// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/language.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QSettings>
#include <QTranslator>

#include <algorithm>

namespace velmora {
namespace {

const QString kLanguageKey = QStringLiteral("language");

// Qt's translate() answered from the core's catalog: the Designer form's texts (and any
// other Bulgarian source text) in the language in force. An empty answer, for a text the
// catalog leaves as it is, lets Qt ask its other translators or keep the text.
class CatalogTranslator : public QTranslator {
  public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override {
        Q_UNUSED(context);
        Q_UNUSED(n);
        if (sourceText == nullptr || *sourceText == '\0' ||
            CurrentLanguage() == Language::Bulgarian)
            return {};
        // The form's comment on a text, when it has one, is the message's context.
        const std::string text = disambiguation != nullptr && *disambiguation != '\0'
                                     ? TrC(disambiguation, sourceText)
                                     : Tr(sourceText);
        return text == sourceText ? QString() : QString::fromStdString(text);
    }
    bool isEmpty() const override { return false; }
};

bool IsCLocale(const QString& name) {
    return name == QLatin1String("C") || name == QLatin1String("POSIX") ||
           name.startsWith(QLatin1String("C."));
}

std::optional<Language> Ours(const QString& tag) {
    const std::optional<Language> language = LanguageOfTag(tag.toStdString());
    const auto shipped = ShippedLanguages();
    if (language && std::find(shipped.begin(), shipped.end(), *language) != shipped.end())
        return language;
    return std::nullopt;
}

QLocale LocaleOf(Language language) {
    switch (language) {
    case Language::English:
        return QLocale(QLocale::English, QLocale::UnitedKingdom);
    case Language::Ukrainian:
        return QLocale(QLocale::Ukrainian, QLocale::Ukraine);
    case Language::Turkish:
        return QLocale(QLocale::Turkish, QLocale::Turkey);
    case Language::Bulgarian:
    case Language::Pseudo:
        break;
    }
    return QLocale(QLocale::Bulgarian, QLocale::Bulgaria);
}

} // namespace

std::optional<Language>
LanguageOfLocale(const std::function<QString(const char* variable)>& environment) {
    QString locale;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (locale = environment(variable); !locale.isEmpty())
            break;
    if (!IsCLocale(locale) || locale.isEmpty())
        for (const QString& tag : environment("LANGUAGE").split(QLatin1Char(':')))
            if (const auto language = Ours(tag))
                return language;
    return Ours(locale);
}

Language DesktopLanguage() {
    return LanguageOfLocale([](const char* variable) { return qEnvironmentVariable(variable); })
        .value_or(Language::Bulgarian);
}

std::optional<Language> LanguageOfCode(const QString& code) {
    return LanguageOfTag(code.toStdString());
}

std::optional<Language> KeptLanguage(const QSettings& settings) {
    return Ours(settings.value(kLanguageKey).toString());
}

void KeepLanguage(QSettings& settings, Language language) {
    settings.setValue(kLanguageKey, QString::fromUtf8(LanguageCode(language).data(),
                                                      qsizetype(LanguageCode(language).size())));
    settings.sync(); // kept even if the program is stopped by a signal
}

Language StartLanguage(std::optional<Language> asked) {
    if (asked)
        return *asked;
    return KeptLanguage(QSettings()).value_or(CurrentLanguage());
}

void UseLanguage(Language language) {
    SetLanguage(language);
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr)
        return;
    // Qt's own texts: Debian's translation for the language, where there is one.
    static QPointer<QTranslator> qt;
    static QPointer<CatalogTranslator> catalog;
    if (qt) {
        QCoreApplication::removeTranslator(qt);
        delete qt;
    }
    const QLocale locale = LocaleOf(language);
    QLocale::setDefault(locale);
    if (language != Language::Pseudo) {
        qt = new QTranslator(app);
        if (!qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
            !QCoreApplication::installTranslator(qt))
            delete qt;
    }
    // Installed last, so it is asked first; installing it again tells every window.
    if (catalog)
        QCoreApplication::removeTranslator(catalog);
    else
        catalog = new CatalogTranslator(app);
    QCoreApplication::installTranslator(catalog);
}

} // namespace velmora
