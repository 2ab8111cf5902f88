#pragma once
// The language of the window: English (the program's own words), Simplified
// Chinese, or whichever of them the system's language asks for. The choice is
// kept in the user's settings and takes effect when the program starts.
//
// The window's own texts are translated by Qt (tr()); the core's texts go
// through core's translator (base/Translate.h), which this installs backed by
// the same Qt translation. The command-line tool installs nothing, so its
// output and every file stay in English, byte for byte.

#include <QString>
#include <string>

class QLocale;

namespace tavix {

class MessageParts;

enum class UiLanguage { System, English, Chinese };

// The choice kept in the user's settings; English when none was made.
UiLanguage StoredLanguage();
void StoreLanguage(UiLanguage language);

// Whether the window speaks Chinese for this choice on a system of this locale.
bool ShowsChinese(UiLanguage language, const QLocale& system);

// Loads the program's and Qt's Chinese translations and installs them for the
// window and for the core's texts. False (and English stays) when the
// translation can't be loaded or the system has no GBK codec.
bool InstallChinese();
// Takes the translations out again: English everywhere.
void RemoveTranslations();
// True while the Chinese translation is installed.
bool ChineseInstalled();

// A core text on its way to the screen: translated when a translation is
// installed, then decoded from GBK as all program text is.
QString ShownText(const std::string& text);
QString ShownText(const char* text);
// A text kept with its parts (an event, an alert), written in the window's
// language and decoded.
QString ShownText(const MessageParts& message);

}  // namespace tavix
