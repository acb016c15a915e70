#include "Languages.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QLibraryInfo>
#include <QLocale>
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

QString buildDateText(const char* compilerDate, const QString& code)
{
    const QString text = QString::fromLatin1(compilerDate);
    // The compiler pads a day below 10 with a blank: "Mar  1 2026".
    const QDate date = QDate::fromString(text.simplified(), QStringLiteral("MMM d yyyy"));
    if (!date.isValid())
        return text;
    return QLocale(code).toString(date, QStringLiteral("d MMMM yyyy"));
}

QString utcTimeText(qint64 msSinceEpoch, const QString& code)
{
    return QLocale(code).toString(QDateTime::fromMSecsSinceEpoch(msSinceEpoch, Qt::UTC),
                                  QStringLiteral("d MMMM yyyy HH:mm:ss t"));
}

bool installQtTranslation(QTranslator& translator, const QString& code)
{
    QCoreApplication::removeTranslator(&translator);
    if (!translator.load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(&translator);
    return true;
}
