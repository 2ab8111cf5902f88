#include "UiLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "GbkText.h"
#include "UserSettings.h"
#include "base/Translate.h"

namespace tavix {

namespace {

// Where the choice is kept, beside the recent-file list.
constexpr const char* kLanguageGroup = "Settings";
constexpr const char* kLanguageKey = "Language";
constexpr const char* kStoredSystem = "System";
constexpr const char* kStoredEnglish = "English";
constexpr const char* kStoredChinese = "zh_CN";

// The contexts lupdate gives the core's marked texts: their namespace, the
// nested one of the ESC explanations, and "std" for the texts it files after
// a declaration it mistakes for a member of std.
constexpr const char* kCoreContexts[] = {"tavix", "tavix::explain", "std"};
constexpr const char* kProgramTranslation = ":/i18n/tavix_zh_CN.qm";

struct Installed {
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> qt;
};

Installed& Translators() {
    static Installed installed;
    return installed;
}

QString LanguageKey() {
    return QStringLiteral("%1/%2").arg(QLatin1String(kLanguageGroup), QLatin1String(kLanguageKey));
}

bool IsAscii(const char* text) {
    for (const char* c = text; *c != '\0'; ++c) {
        if (static_cast<unsigned char>(*c) >= 0x80) {
            return false;
        }
    }
    return true;
}

}  // namespace

UiLanguage StoredLanguage() {
    const QString value = UserSettings().value(LanguageKey()).toString();
    if (value == QLatin1String(kStoredChinese)) {
        return UiLanguage::Chinese;
    }
    if (value == QLatin1String(kStoredSystem)) {
        return UiLanguage::System;
    }
    return UiLanguage::English;
}

void StoreLanguage(UiLanguage language) {
    const char* value = kStoredEnglish;
    if (language == UiLanguage::Chinese) {
        value = kStoredChinese;
    } else if (language == UiLanguage::System) {
        value = kStoredSystem;
    }
    UserSettings().setValue(LanguageKey(), QString::fromLatin1(value));
}

bool ShowsChinese(UiLanguage language, const QLocale& system) {
    switch (language) {
        case UiLanguage::Chinese:
            return true;
        case UiLanguage::English:
            return false;
        case UiLanguage::System:
            return system.language() == QLocale::Chinese;
    }
    return false;
}

bool InstallChinese() {
    RemoveTranslations();
    // The core's texts reach the window as GBK bytes: without the codec the
    // Chinese would come out as question marks.
    if (!GbkAvailable()) {
        return false;
    }
    auto program = std::make_unique<QTranslator>();
    if (!program->load(QString::fromLatin1(kProgramTranslation))) {
        return false;
    }
    Installed& installed = Translators();
    QCoreApplication::installTranslator(program.get());
    installed.program = std::move(program);
    // Qt's own words (standard buttons, file dialogs), when the system has them.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_zh_CN"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt.get());
        installed.qt = std::move(qt);
    }
    SetTranslator([](const char* source) -> std::string {
        // The program's words are ASCII; a text holding other bytes is the
        // device's own and has no translation.
        if (!IsAscii(source)) {
            return source;
        }
        for (const char* context : kCoreContexts) {
            const QString text = QCoreApplication::translate(context, source);
            if (text != QLatin1String(source)) {
                return ToGbk(text);
            }
        }
        return source;
    });
    return true;
}

void RemoveTranslations() {
    SetTranslator(nullptr);
    Installed& installed = Translators();
    if (installed.program) {
        QCoreApplication::removeTranslator(installed.program.get());
        installed.program.reset();
    }
    if (installed.qt) {
        QCoreApplication::removeTranslator(installed.qt.get());
        installed.qt.reset();
    }
}

bool ChineseInstalled() {
    return Translators().program != nullptr;
}

QString ShownText(const std::string& text) {
    return FromGbk(Translate(text.c_str()));
}

QString ShownText(const char* text) {
    return FromGbk(Translate(text));
}

QString ShownText(const MessageParts& message) {
    return FromGbk(message.Shown());
}

}  // namespace tavix
