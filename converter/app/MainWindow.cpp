#include "MainWindow.h"

#include "FileDialogs.h"
#include "Languages.h"
#include "LengthValidator.h"
#include "ReaderErrors.h"
#include "RowText.h"
#include "Settings.h"
#include "SettingsDialog.h"
#include "SwapFile.h"
#include "ui_MainWindow.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpressionValidator>
#include <QUrl>

#include <climits>

namespace {
// The Duration field's range: -1 converts to the end of the log.
constexpr int shortestDuration = -1;
constexpr int longestDuration = 10000000;
} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), m_settings(new Settings)
{
    ui->setupUi(this);
    retranslate();
    ui->toolButtonSettings->setIcon(QIcon(QStringLiteral(":/res/settings.png")));
    connectForm();
    ui->textEditInfo->setEnabled(false);
    ui->lineEditSeparator->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^A-Za-z0-9]{1}")), this));
    ui->pushButtonStart->setEnabled(false);
    ui->lineEditLength->setValidator(new LengthValidator(shortestDuration, longestDuration, this));
    loadSettings();
    // Clock time needs a log that records its creation time: offered once one is shown.
    ui->radioButtonTimeAbsolute->setEnabled(false);
    ui->radioButtonTimeRelative->setChecked(true);
    setLanguage(languageCode(m_language));
}

MainWindow::~MainWindow()
{
    saveSettings();
    if (savingDialog && savingDialog->parent() == this)
        delete savingDialog;
    delete ui;
    delete m_settings;
}

void MainWindow::connectForm()
{
    connect(ui->toolButtonSettings, &QToolButton::clicked, this, &MainWindow::on_settings);
    connect(ui->toolButton, &QToolButton::clicked, this, &MainWindow::chooseFile);
    connect(ui->lineEditName, &QLineEdit::textChanged, this, &MainWindow::nameChanged);
    connect(ui->radioButtonXlsx, &QRadioButton::toggled, this, [this](bool checked) { enableFormatOptions(checked); });
    connect(ui->radioButtonCsv, &QRadioButton::toggled, this, [this](bool checked) { enableFormatOptions(!checked); });
    connect(ui->pushButtonStart, &QPushButton::clicked, this, &MainWindow::on_start);
    connect(ui->pushButtonBatch, &QPushButton::clicked, this, &MainWindow::on_batch);
    connect(ui->pushButtonClose, &QPushButton::clicked, qApp, &QCoreApplication::quit);
    connect(ui->labelStatus, &ClickableLabel::clicked, this, [this](QString& text) { openOutputFolder(text); });
}

void MainWindow::enableFormatOptions(bool xlsx)
{
    for (QWidget* w : {static_cast<QWidget*>(ui->labelSeparator), static_cast<QWidget*>(ui->lineEditSeparator),
                       static_cast<QWidget*>(ui->checkBoxAddHeader)})
        w->setEnabled(!xlsx);
    for (QWidget* w : {static_cast<QWidget*>(ui->labelSheetSize), static_cast<QWidget*>(ui->spinBoxSheetSize),
                       static_cast<QWidget*>(ui->labelMaxSheets), static_cast<QWidget*>(ui->spinBoxMaxSheets),
                       static_cast<QWidget*>(ui->checkBoxCellNames)})
        w->setEnabled(xlsx);
}

void MainWindow::retranslate()
{
    ui->retranslateUi(this);
    setWindowTitle(tr("TALVO converter") + QStringLiteral(" v.") + QCoreApplication::applicationVersion());
    ui->textEditInfo->setPlainText(summaryText(m_summary, languageCode(m_language)));
    ui->labelStatus->setText(statusLineText(m_status));
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void MainWindow::setStatus(const StatusMessage& message)
{
    m_status = message;
    ui->labelStatus->setText(statusLineText(m_status));
}

void MainWindow::on_swapFileError(int code)
{
    m_errorCode = code;
}

QString MainWindow::errorText() const
{
    return readerErrorText(m_errorCode);
}

qint64 MainWindow::fieldValue(const QLineEdit* field) const
{
    // Read the number in the locale the field's validator accepted it in.
    const QLocale locale = field->validator() ? field->validator()->locale() : QLocale();
    bool ok = false;
    const qint64 value = locale.toLongLong(field->text().trimmed(), &ok);
    return ok ? value : field->text().trimmed().toLongLong();
}

void MainWindow::readOptions(const LogSummary& summary)
{
    m_options.xlsx = ui->radioButtonXlsx->isChecked();
    m_options.addCellNames = ui->checkBoxCellNames->isChecked();
    m_options.addHeader = ui->checkBoxAddHeader->isChecked();
    m_options.convertLength = fieldValue(ui->lineEditLength);
    m_options.maxSheets = ui->spinBoxMaxSheets->value();
    const QByteArray separator = ui->lineEditSeparator->text().trimmed().toLatin1();
    m_options.separator = separator.isEmpty() ? '\0' : separator.at(0);
    m_options.sheetSize = ui->spinBoxSheetSize->value();
    m_options.startSec = fieldValue(ui->lineEditStart);
    m_options.relativeTime = ui->radioButtonTimeRelative->isChecked();
    m_options.duration = m_options.convertLength;
    const SwapFileHeader header = summary.valid ? summary.header : defaultSwapFileHeader();
    m_options.version = header.version;
    m_options.channelCount = header.channelCount;
    m_options.channelMask = header.channelMask;
    m_options.samplePeriod = qint16(header.samplePeriod);
    m_options.startTimeMs = summary.valid ? summary.creationTime : 0;
}

void MainWindow::showSummary(const LogSummary& summary)
{
    const SwapFileHeader& h = summary.header;
    if (summary.valid) {
        ui->pushButtonStart->setEnabled(true);
        setStatus(StatusMessage());
        const int lastSecond = summary.endTime >= 0 ? int(qMin<double>(summary.endTime, INT_MAX)) : 0;
        delete ui->lineEditStart->validator();
        ui->lineEditStart->setValidator(new QIntValidator(0, lastSecond, this));
        if (fieldValue(ui->lineEditStart) > summary.endTime)
            ui->lineEditStart->setText(QString::number(lastSecond));
    }
    m_summary = summary;
    ui->textEditInfo->setPlainText(summaryText(m_summary, languageCode(m_language)));
    if (!summary.valid || h.version < 2 || !isRecordedClockTime(summary.creationTime)) {
        ui->radioButtonTimeAbsolute->setEnabled(false);
        ui->radioButtonTimeRelative->setChecked(true);
    } else {
        ui->radioButtonTimeAbsolute->setEnabled(true);
    }
}

void MainWindow::showLogOf(const QString& fileName)
{
    SwapFile reader;
    int refusal = NoError;
    connect(&reader, &SwapFile::swapFileError, this, [&refusal](int code) {
        if (refusal == NoError)
            refusal = code;
    });
    const LogSummary summary = reader.open(fileName);
    readOptions(summary);
    showSummary(summary);
    // A file that is there but cannot be read as a log is refused at once, in place of
    // an earlier result, and cannot be started; a name that is no file (yet) is left to
    // Start, which says so.
    m_logRefused = !summary.valid && QFileInfo(fileName).isFile();
    if (m_logRefused)
        setStatus(StatusMessage::refused(refusal));
    else if (summary.valid && summary.cutOff)
        setStatus(StatusMessage::cutOff(summary.recordCount));
    ui->pushButtonStart->setEnabled(!m_converting && !m_logRefused);
}

void MainWindow::chooseFile()
{
    const QString name = askOpenFileName(this, tr("Select file"), m_options.path, QStringLiteral("*.talvo"));
    if (name.isEmpty())
        return;
    m_options.path = QFileInfo(name).absolutePath();
    ui->lineEditName->setText(name);
    showLogOf(name);
}

void MainWindow::nameChanged(const QString& name)
{
    showLogOf(name);
}

void MainWindow::loadSettings()
{
    if (m_settings->childGroups().contains(QStringLiteral("Main"))) {
        m_settings->beginGroup(QStringLiteral("Main"));
        m_options.path = m_settings->value("path", m_options.path).toString();
        m_options.xlsx = m_settings->value("xlsx", m_options.xlsx).toBool();
        m_options.addCellNames = m_settings->value("addCellNames", m_options.addCellNames).toBool();
        m_options.addHeader = m_settings->value("addHeader", m_options.addHeader).toBool();
        // Each number is one its field accepts, else its default: a start before the log
        // would fail every conversion, and a spin box would turn a value that is none
        // into its minimum.
        m_options.convertLength = boundedValue(*m_settings, QStringLiteral("convertLength"),
                                               m_options.convertLength, shortestDuration, longestDuration);
        m_options.maxSheets = int(boundedValue(*m_settings, QStringLiteral("maxSheets"), m_options.maxSheets,
                                               ui->spinBoxMaxSheets->minimum(), ui->spinBoxMaxSheets->maximum()));
        if (m_settings->contains("separator")) {
            const QByteArray separator = m_settings->value("separator").toString().toLatin1();
            m_options.separator = separator.isEmpty() ? '\0' : separator.at(0);
        }
        m_options.sheetSize = int(boundedValue(*m_settings, QStringLiteral("sheetSize"), m_options.sheetSize,
                                               ui->spinBoxSheetSize->minimum(), ui->spinBoxSheetSize->maximum()));
        m_options.startSec = boundedValue(*m_settings, QStringLiteral("startSec"), m_options.startSec, 0, INT_MAX);
        m_options.relativeTime = m_settings->value("relativeTime", m_options.relativeTime).toBool();
        m_language = clampLanguageIndex(m_settings->value("language", 0).toInt());
        m_settings->endGroup();
    }
    ui->radioButtonXlsx->setChecked(m_options.xlsx);
    ui->radioButtonCsv->setChecked(!m_options.xlsx);
    enableFormatOptions(m_options.xlsx);
    ui->checkBoxCellNames->setChecked(m_options.addCellNames);
    ui->checkBoxAddHeader->setChecked(m_options.addHeader);
    ui->lineEditLength->setText(QString::number(m_options.convertLength));
    ui->spinBoxMaxSheets->setValue(m_options.maxSheets);
    ui->lineEditSeparator->setText(m_options.separator ? QString(QLatin1Char(m_options.separator)) : QString());
    ui->spinBoxSheetSize->setValue(m_options.sheetSize);
    ui->lineEditStart->setText(QString::number(m_options.startSec));
    ui->radioButtonTimeRelative->setChecked(m_options.relativeTime);
    ui->radioButtonTimeAbsolute->setChecked(!m_options.relativeTime);
}

void MainWindow::saveSettings()
{
    readOptions(LogSummary());
    m_settings->beginGroup(QStringLiteral("Main"));
    m_settings->setValue("path", m_options.path);
    m_settings->setValue("xlsx", m_options.xlsx);
    m_settings->setValue("addCellNames", m_options.addCellNames);
    m_settings->setValue("addHeader", m_options.addHeader);
    m_settings->setValue("convertLength", m_options.convertLength);
    m_settings->setValue("maxSheets", m_options.maxSheets);
    m_settings->setValue("separator", m_options.separator ? QString(QLatin1Char(m_options.separator)) : QString());
    m_settings->setValue("sheetSize", m_options.sheetSize);
    m_settings->setValue("startSec", m_options.startSec);
    m_settings->setValue("relativeTime", m_options.relativeTime);
    m_settings->setValue("language", m_language);
    m_settings->endGroup();
    m_settings->sync();
}

void MainWindow::setLanguage(const QString& code)
{
    (void)m_translator.load(QStringLiteral("talvo-converter_") + code, QCoreApplication::applicationDirPath());
    QCoreApplication::installTranslator(&m_translator);
    installQtTranslation(m_qtTranslator, code);
    retranslate();
}

void MainWindow::on_settings()
{
    SettingsDialog dialog(this);
    QStringList names;
    for (int i = 0; i < languageCount; ++i)
        names << languageName(i);
    dialog.setLanguages(names, m_language);
    connect(&dialog, &SettingsDialog::languageChanged, this, [this](int index) {
        m_language = clampLanguageIndex(index);
        setLanguage(languageCode(m_language));
    });
    if (dialog.exec() == QDialog::Accepted)
        qDebug() << "MainWindow::on_settings()";
}

void MainWindow::openOutputFolder(const QString& statusText)
{
    const QString green = QStringLiteral("<font color='green'>");
    const int at = statusText.indexOf(green);
    if (at < 0)
        return;
    QString name = statusText.mid(at).trimmed();
    name.remove(green);
    name.remove(QStringLiteral("</font>"));
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(name).absolutePath()));
}
