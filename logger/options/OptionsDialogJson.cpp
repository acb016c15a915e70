// Export and import of the supply's settings as JSON files, so that one supply's
// configuration can be kept or copied to another. A file holds the page, not a command:
// an import changes the page only, until the user applies or saves it.

#include "OptionsDialog.h"
#include "ui_OptionsDialog.h"

#include "FileDialogs.h"
#include "MessageBoxes.h"
#include "Settings.h"
#include "SupplySettings.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

namespace {
const QString savePathKey = QStringLiteral("Main/save-path");
const QString jsonFilter = QStringLiteral("*.json");

QString saveFolder()
{
    return Settings().value(savePathKey, Settings::folder()).toString();
}
} // namespace

QJsonObject OptionsDialog::settingsToJson(const PowerGetPacket& report)
{
    return SupplySettings::toJson(report);
}

bool OptionsDialog::settingsFromJson(PowerGetPacket& report, const QJsonObject& object, QString* error)
{
    return SupplySettings::fromJson(report, object, error);
}

void OptionsDialog::on_export()
{
    readDeviceSettings(m_settings);
    const QByteArray text = QJsonDocument(settingsToJson(m_settings)).toJson(QJsonDocument::Indented);
    const QString proposal = QDir(saveFolder()).filePath(
        QStringLiteral("holowcrest-power-%1.json").arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmss"))));
    const QString fileName = askSaveFileName(this, tr("Export settings to JSON"), proposal, jsonFilter);
    if (fileName.isEmpty())
        return;
    Settings().setValue(savePathKey, QFileInfo(fileName).absolutePath());
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() || !file.flush()) {
        warningBox(this, tr("Export settings to JSON"),
                   tr("The settings could not be written to %1: %2").arg(QDir::toNativeSeparators(fileName), file.errorString()));
    }
}

void OptionsDialog::on_import()
{
    const QString folder = saveFolder();
    const QString fileName = askOpenFileName(this, tr("Import settings from JSON"), folder, jsonFilter);
    if (fileName.isEmpty())
        return;
    Settings().setValue(savePathKey, folder);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        warningBox(this, tr("Import settings from JSON"),
                   tr("The file %1 could not be read: %2").arg(QDir::toNativeSeparators(fileName), file.errorString()));
        return;
    }
    const QByteArray text = file.readAll();
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        qDebug() << "Library::load()" << parseError.errorString() << parseError.offset;
        qDebug() << "Library::load" << text;
        warningBox(this, tr("Import settings from JSON"),
                   tr("The file %1 is not a settings file.").arg(QDir::toNativeSeparators(fileName)));
        return;
    }
    QString error;
    if (!document.isObject()) {
        error = tr("The file %1 is not a settings file.").arg(QDir::toNativeSeparators(fileName));
    } else if (!settingsFromJson(m_settings, document.object(), &error)) {
        error = tr("The file %1 was not imported. %2").arg(QDir::toNativeSeparators(fileName), error);
    } else {
        fillDeviceSettings();
        return;
    }
    warningBox(this, tr("Import settings from JSON"), error);
}
