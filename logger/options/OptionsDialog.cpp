#include "OptionsDialog.h"
#include "ui_OptionsDialog.h"

#include "ColorChooser.h"
#include "ColorsAgent.h"
#include "HidDevice.h"
#include "Languages.h"
#include "LoggerState.h"
#include "Settings.h"
#include "UnitFormat.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

namespace {
// The date this build was made, as the compiler gives it: "Mmm dd yyyy" in English.
const char* const buildDate = __DATE__;

QString swatchStyle(const QColor& color)
{
    return QStringLiteral("background-color: %1").arg(color.name());
}

void setSwatch(QPushButton* button, const QColor& color)
{
    button->setStyleSheet(swatchStyle(color));
    button->setAutoFillBackground(true);
}

// A label's links take the application palette's link colour when its text is laid out,
// and keep it: once the theme has changed the palette, every label that shows a link
// lays its text out again.
void relayOutLinks(QWidget* root)
{
    for (QLabel* label : root->findChildren<QLabel*>()) {
        const QString text = label->text();
        if (!text.contains(QLatin1String("<a "), Qt::CaseInsensitive))
            continue;
        // The same text again would be taken as no change.
        label->clear();
        label->setText(text);
    }
}
} // namespace

QString appDirPath()
{
    return QCoreApplication::applicationDirPath();
}

OptionsDialog::OptionsDialog(Updater* updater, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::OptionsDialog>())
    , m_updater(updater)
    , m_clockTimer(std::make_unique<QTimer>())
{
    ui->setupUi(this);

    ui->tabWidget->setTabVisible(1, false);
    ui->tabWidget->setCurrentIndex(0);
    ui->groupBoxTune12->setVisible(power600Model);

    fillSWInfo();
    fillFWInfo();
    connect(this, &OptionsDialog::changeColorTheme, this, &OptionsDialog::on_changeColorTheme);

    Settings settings;
    settings.beginGroup(QStringLiteral("Options"));
    setVersionTexts();

    // Each radio button is set before its partner is connected: the exclusive group then
    // never reaches the handlers while the stored choice is shown.
    const bool dark = settings.value(QStringLiteral("dark-color"), false).toBool();
    ui->radioButtonDark->setChecked(dark);
    connect(ui->radioButtonDark, &QRadioButton::toggled, this, &OptionsDialog::onThemeToggled);
    ui->radioButtonLight->setChecked(!dark);
    connectAppearance();
    emit changeColorTheme(dark);
    emit changeColors();
    initColors(dark);

    const bool clockTime = settings.value(QStringLiteral("native-time"), false).toBool();
    ui->radioButtonTime->setChecked(clockTime);
    connect(ui->radioButtonTime, &QRadioButton::toggled, this, [this](bool checked) {
        timeFormatMode = checked ? 2 : 1;
        emit timeFormatChanged();
    });
    ui->radioButtonSeconds->setChecked(!clockTime);
    settings.endGroup();

    connect(ui->btnPreview, &QPushButton::clicked, this, &OptionsDialog::preview);
    connect(ui->comboBoxLanguages, &QComboBox::currentIndexChanged, this, &OptionsDialog::languageChanged);
    connect(ui->btnQt, &QPushButton::clicked, this, [this] { QMessageBox::aboutQt(this, QStringLiteral("Qt")); });

    setupUpdatePanes();

    if (powerMode()) {
        setupDeviceSettings();
        ui->groupBoxColors->hide();
    }
}

OptionsDialog::~OptionsDialog()
{
    Settings settings;
    settings.beginGroup(QStringLiteral("Update"));
    settings.setValue(QStringLiteral("auto-check-firm"), ui->checkAutoUpdateFirm->isChecked());
    settings.setValue(QStringLiteral("auto-check-soft"), ui->checkAutoUpdateSoft->isChecked());
    settings.setValue(QStringLiteral("update-path-fw"), m_firmwarePath);
    settings.endGroup();
    settings.beginGroup(QStringLiteral("Options"));
    settings.setValue(QStringLiteral("dark-color"), ui->radioButtonDark->isChecked());
    settings.setValue(QStringLiteral("native-time"), ui->radioButtonTime->isChecked());
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    settings.endGroup();
}

void OptionsDialog::setLanguages(const QList<QString>& names, int current)
{
    ui->comboBoxLanguages->addItems(names);
    ui->comboBoxLanguages->setCurrentIndex(current);
    setVersionTexts();
}

void OptionsDialog::setVersionTexts()
{
    ui->labelFullName->setText(QCoreApplication::applicationName());
    ui->label_VersionNumber->setText(QStringLiteral("%1 (%2)").arg(
        QCoreApplication::applicationVersion(),
        buildDateText(buildDate, languageCode(ui->comboBoxLanguages->currentIndex()))));
    ui->label_Copyright->setText(tr("Copyright %1 Korvanite. All rights reserved.").arg(QChar(0x00A9)));
}

void OptionsDialog::connectAppearance()
{
    connect(ui->btnColorBkg, &QPushButton::clicked, this, &OptionsDialog::chooseBackgroundColor);
    connect(ui->btnColor0, &QPushButton::clicked, this, [this] { chooseChannelColor(0); });
    connect(ui->btnColor1, &QPushButton::clicked, this, [this] { chooseChannelColor(1); });
    connect(ui->btnColor2, &QPushButton::clicked, this, [this] { chooseChannelColor(2); });
    auto showKind = [this](int kind) {
        return [this, kind](bool checked) {
            if (checked)
                showSwatches(kind);
        };
    };
    connect(ui->radioButtonAll, &QRadioButton::toggled, this, showKind(ColorsAgent::Chart));
    connect(ui->radioButtonChart, &QRadioButton::toggled, this, showKind(ColorsAgent::Chart));
    connect(ui->radioButtonReport, &QRadioButton::toggled, this, showKind(ColorsAgent::Report));
    connect(ui->radioButtonMouse, &QRadioButton::toggled, this, showKind(ColorsAgent::MouseHint));
}

void OptionsDialog::onThemeToggled(bool dark)
{
    initColors(dark);
    emit changeColorTheme(dark);
    emit changeColors();
}

void OptionsDialog::on_changeColorTheme(bool) {}

int OptionsDialog::editedKind() const
{
    if (ui->radioButtonReport->isChecked())
        return ColorsAgent::Report;
    if (ui->radioButtonMouse->isChecked())
        return ColorsAgent::MouseHint;
    return ColorsAgent::Chart;
}

void OptionsDialog::initColors(bool _dark)
{
    qDebug() << "OptionsDialog::initColors";
    // The store being replaced writes its theme's colours as it goes.
    delete m_colors;
    m_colors = new ColorsAgent(_dark, this);
    setSwatch(ui->btnColorBkg, m_colors->background());
    showSwatches(editedKind());
}

void OptionsDialog::showSwatches(int kind)
{
    setSwatch(ui->btnColor0, m_colors->color(kind, 0));
    setSwatch(ui->btnColor1, m_colors->color(kind, 1));
    setSwatch(ui->btnColor2, m_colors->color(kind, 2));
}

void OptionsDialog::chooseChannelColor(int channel)
{
    const int kind = editedKind();
    const QColor chosen = chooseColor(m_colors->color(kind, channel), this);
    if (!chosen.isValid())
        return;
    m_colors->color(kind, channel) = chosen;
    if (ui->radioButtonAll->isChecked())
        for (int k = 0; k < ColorsAgent::kindCount; ++k)
            m_colors->color(k, channel) = chosen;
    QPushButton* swatches[] = {ui->btnColor0, ui->btnColor1, ui->btnColor2};
    setSwatch(swatches[channel], chosen);
}

void OptionsDialog::chooseBackgroundColor()
{
    const QColor chosen = chooseColor(m_colors->background(), this);
    if (!chosen.isValid())
        return;
    m_colors->background() = chosen;
    setSwatch(ui->btnColorBkg, chosen);
}

void OptionsDialog::preview()
{
    if (ui->radioButtonAll->isChecked()) {
        for (int channel = 0; channel < ColorsAgent::channelCount; ++channel) {
            const QColor chart = m_colors->color(ColorsAgent::Chart, channel);
            m_colors->color(ColorsAgent::Report, channel) = chart;
            m_colors->color(ColorsAgent::MouseHint, channel) = chart;
        }
    }
    m_colors->save();
    emit changeColors();
}

void OptionsDialog::showColorDialog()
{
    Settings settings;
    const QString key = QStringLiteral("Options/bar-color");
    const QColor chosen = chooseColor(colorValue(settings, key, QColor(0x32, 0x32, 0x32)), this);
    if (chosen.isValid())
        settings.setValue(key, chosen.name());
}

void OptionsDialog::done(int _result)
{
    Settings().setValue(QStringLiteral("Options/dark-color"), ui->radioButtonDark->isChecked());
    QDialog::done(_result);
}

void OptionsDialog::reject()
{
    askUnsavedSettings();
    QDialog::reject();
}

void OptionsDialog::closeEvent(QCloseEvent* event)
{
    askUnsavedSettings();
    QDialog::closeEvent(event);
}

void OptionsDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        relayOutLinks(this);
    if (event->type() != QEvent::LanguageChange)
        return;
    ui->retranslateUi(this);
    // The form's texts are back; its placeholders are replaced again.
    ui->browseLine->setText(m_firmwarePath.isEmpty() ? tr("Choose file") : m_firmwarePath);
    setVersionTexts();
    fillSWInfo();
    if (m_deviceSettingsShown) {
        ui->checkBoxF_2->setText(tr("Temperature, %1F").arg(QChar(0x00B0)));
        ui->labelSerial->setText(tr("Serial number: ") + HidDevice::instance()->serial());
        ui->labelVersion->setText(tr("Version: ") + m_data.versionText());
        // The form put its own display formats back.
        format24hChecked(ui->checkBox24h_2->isChecked());
    }
    fillFWInfo();
}
