#pragma once

#include <QString>

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
