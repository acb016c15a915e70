#pragma once

#include <QString>

class QTranslator;

// The user-interface languages: display name and the code that names the
// translation file. "Options"/"language" stores an index into this table.
inline constexpr int languageCount = 2;
extern const char* const languageNames[languageCount];
extern const char* const languageCodes[languageCount];

// A stored index may come from an old or edited settings file: anything outside the
// table falls back to the first language.
int clampLanguageIndex(int index);
QString languageName(int index);
QString languageCode(int index);

// Dates and times as the language `code` writes them, whatever language the system uses.
// The build date the compiler gives ("Mmm dd yyyy") as "1 March 2026", "1 березня 2026";
// the compiler's own text when it cannot be read.
QString buildDateText(const char* compilerDate, const QString& code);
// A moment in UTC, to the second: "14 November 2023 22:13:20 UTC".
QString utcTimeText(qint64 msSinceEpoch, const QString& code);

// The name of the Debian package that holds Qt's own translations.
inline constexpr const char* qtTranslationsPackage = "qt6-translations-l10n";

// Qt's own texts (standard buttons, file choosers) in the language `code`, from the
// folder where the system keeps Qt's translations. `translator` is taken out of the
// application and put back only when that language has a file there, so Qt's English
// texts return otherwise. Returns whether the file was loaded.
bool installQtTranslation(QTranslator& translator, const QString& code);
