#include "Languages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

const char* const languageNames[languageCount] = {"English", "Українська"};
const char* const languageCodes[languageCount] = {"en", "uk"};

int clampLanguageIndex(int index)
{
    return (index >= 0 && index < languageCount) ? index : 0;
}

QString languageName(int index)
{
    return QString::fromUtf8(languageNames[clampLanguageIndex(index)]);
}

QString languageCode(int index)
{
    return QString::fromLatin1(languageCodes[clampLanguageIndex(index)]);
}

bool installQtTranslation(QTranslator& translator, const QString& code)
{
    QCoreApplication::removeTranslator(&translator);
    if (!translator.load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(&translator);
    return true;
}
