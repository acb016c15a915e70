#include "Calculator.h"
#include "ui_Calculator.h"

#include "BatteryLife.h"
#include "OwnSignals.h"
#include "Settings.h"

#include <QCoreApplication>
#include <QEvent>
#include <QRegularExpressionValidator>
#include <QToolTip>

#include <cmath>

Calculator::Calculator(QWidget* parent)
    : Panel(parent)
    , ui(new Ui::Calculator)
{
    setObjectName(QStringLiteral("Calculator"));
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);

    Settings settings;
    settings.beginGroup(QStringLiteral("Calculator"));
    ui->spinBoxCapacity->setValue(settings.value(QStringLiteral("capacity"), 3000).toInt());
    restoreGeometry(settings.value(QStringLiteral("geometry")).toByteArray());
    settings.endGroup();

    ui->labelError->setStyleSheet(QStringLiteral("QLabel {color: red;}"));
    ui->lineEditWorking->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[1-9][0-9]*")), this));
    ui->lineEditUser->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^[0-9]+(?:.[0-9]+)?$")), this));
    ui->lineEditWorking->setEnabled(false);
    ui->radioButtonUser->setChecked(true);

    for (int type = CalculatorInfo::ByMarkers; type <= CalculatorInfo::UserDefined; ++type) {
        CalculatorInfo record;
        record.type = CalculatorInfo::InfoType(type);
        if (type == CalculatorInfo::UserDefined)
            record.current = 1.0;
        infoList.append(record);
    }

    errorClear.setSingleShot(true);
    connect(&errorClear, &QTimer::timeout, ui->labelError, &QLabel::clear);

    const std::pair<QRadioButton*, CalculatorInfo::InfoType> radios[] = {
        {ui->radioButtonMarkers, CalculatorInfo::ByMarkers},     {ui->radioButtonVisible, CalculatorInfo::VisibleArea},
        {ui->radioButtonWhole, CalculatorInfo::WholePeriod},     {ui->radioButtonWorking, CalculatorInfo::WorkingCycle},
        {ui->radioButtonUser, CalculatorInfo::UserDefined}};
    for (const auto& [radio, type] : radios) {
        connect(radio, &QRadioButton::toggled, this, [this, type = type](bool checked) {
            if (checked)
                onRadioButton(type);
        });
    }
    connect(ui->lineEditUser, &QLineEdit::editingFinished, this, &Calculator::onUserCurrentEdited);
    connect(ui->lineEditWorking, &QLineEdit::editingFinished, this, &Calculator::onWorkingCycleEdited);
    connect(ui->btnCalc, &QPushButton::clicked, this, &Calculator::onCalcButton);
    // A new capacity is a new answer.
    connect(ui->spinBoxCapacity, &QSpinBox::valueChanged, this, &Calculator::showBatteryLife);
}

Calculator::~Calculator()
{
    Settings settings;
    settings.beginGroup(QStringLiteral("Calculator"));
    settings.setValue(QStringLiteral("capacity"), ui->spinBoxCapacity->value());
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    settings.endGroup();
    disconnectOwnSignals(this, staticMetaObject);
    delete ui;
}

CalculatorInfo& Calculator::info(CalculatorInfo::InfoType type)
{
    return infoList[type];
}

void Calculator::recalculate(const QList<CalculatorInfo>& list)
{
    // The main window passes infoList itself; a list of another shape is not ours to take.
    if (&list != &infoList && list.size() == infoList.size())
        infoList = list;
    // An empty log is marked on the markers' record alone, but it leaves no source of the
    // log with figures: none may go on showing those of the log looked at before.
    if (infoList[CalculatorInfo::ByMarkers].status == CalculatorInfo::EmptyLog) {
        for (int type = CalculatorInfo::VisibleArea; type <= CalculatorInfo::WorkingCycle; ++type)
            infoList[type].status = CalculatorInfo::EmptyLog;
    }
    for (const CalculatorInfo& record : std::as_const(infoList))
        showInfo(record);
    onCalcButton();
}

void Calculator::onRadioButton(CalculatorInfo::InfoType _type)
{
    switch (_type) {
    case CalculatorInfo::ByMarkers:
    case CalculatorInfo::VisibleArea:
    case CalculatorInfo::WholePeriod:
        ui->lineEditWorking->setEnabled(false);
        ui->lineEditUser->setEnabled(false);
        onCalcButton();
        break;
    case CalculatorInfo::WorkingCycle:
        ui->lineEditWorking->setEnabled(true);
        ui->lineEditUser->setEnabled(false);
        applyWorkingCycle();
        break;
    case CalculatorInfo::UserDefined:
        ui->lineEditWorking->setEnabled(false);
        ui->lineEditUser->setEnabled(true);
        onCalcButton();
        break;
    }
}

double Calculator::wholeLength() const
{
    const CalculatorInfo& whole = infoList[CalculatorInfo::WholePeriod];
    return std::abs(whole.end - whole.start);
}

QString Calculator::tooLongText() const
{
    return tr("Too long working cycle. Only ") + QString::number(wholeLength(), 'g', 6) + tr(" sec available");
}

void Calculator::showInfo(const CalculatorInfo& record)
{
    QLabel* const periods[] = {ui->labelMarkers, ui->labelVisible, ui->labelWhole};
    QLabel* const averages[] = {ui->labelMarkersUnit, ui->labelVisibleUnit, ui->labelWholeUnit, ui->labelWorkingUnit};
    const bool valid = record.status == CalculatorInfo::Valid;
    // The form's own placeholder, in the language it was last translated to.
    const QString noPeriodText = QCoreApplication::translate("Calculator", "-- : --");
    // A source that could not be filled shows the form's placeholders, never the figures
    // it held before (another tab's, or markers since hidden).
    if (record.type <= CalculatorInfo::WholePeriod)
        periods[record.type]->setText(valid ? periodText(record.start, record.end) : noPeriodText);
    if (record.type <= CalculatorInfo::WorkingCycle)
        averages[record.type]->setText(averageCurrentText(valid ? record.current : std::nan("")));
    if (!valid)
        showError(record);
}

void Calculator::showHint(QWidget* field, const QString& text)
{
    m_lastHint = text;
    const QRect area = field->geometry();
    const QPoint at = mapToGlobal(QPoint(area.left() + 10, area.bottom() + 5 + area.height()));
    QToolTip::showText(at, text);
}

void Calculator::showError(const CalculatorInfo& record)
{
    if (record.status == CalculatorInfo::EmptyLog && record.type != CalculatorInfo::UserDefined) {
        ui->labelError->setText(tr("Empty measurements log."));
        errorClear.start(errorDisplayMs);
        return;
    }
    switch (record.type) {
    case CalculatorInfo::ByMarkers:
        if (!ui->radioButtonMarkers->isChecked())
            return;
        if (record.status == CalculatorInfo::MarkersTooClose)
            showHint(ui->labelMarkers, tr("Markers too close"));
        else if (record.status == CalculatorInfo::MarkersHidden)
            showHint(ui->labelMarkers, tr("Markers are not visible, check their position"));
        else
            showHint(ui->labelMarkers, QString());
        break;
    case CalculatorInfo::WorkingCycle:
        showHint(ui->lineEditWorking, record.status == CalculatorInfo::WrongValue ? tr("Wrong value") : tooLongText());
        break;
    case CalculatorInfo::UserDefined:
        showHint(ui->lineEditUser, tr("Wrong value"));
        break;
    case CalculatorInfo::VisibleArea:
    case CalculatorInfo::WholePeriod:
        break;
    }
}

void Calculator::onCalcButton()
{
    if (ui->radioButtonUser->isChecked()) {
        CalculatorInfo& user = info(CalculatorInfo::UserDefined);
        bool ok = false;
        const double value = ui->lineEditUser->text().toDouble(&ok);
        if (ok && value > 0) {
            user.status = CalculatorInfo::Valid;
            user.current = value;
            showBatteryLife();
        } else {
            user.status = CalculatorInfo::WrongValue;
            showError(user);
        }
        return;
    }
    if (info(CalculatorInfo::ByMarkers).status == CalculatorInfo::EmptyLog) {
        showError(info(CalculatorInfo::ByMarkers));
        // Nothing recorded is nothing to estimate from: the life of another log must go.
        showBatteryLife();
        return;
    }
    if (ui->radioButtonWorking->isChecked()) {
        CalculatorInfo& cycle = info(CalculatorInfo::WorkingCycle);
        bool ok = false;
        const double seconds = ui->lineEditWorking->text().toDouble(&ok);
        if (!ok)
            cycle.status = CalculatorInfo::WrongValue;
        else if (seconds > wholeLength())
            cycle.status = CalculatorInfo::CycleTooLong;
        else
            cycle.status = CalculatorInfo::Valid;
        if (cycle.status != CalculatorInfo::Valid) {
            showError(cycle);
            return;
        }
    }
    showBatteryLife();
}

void Calculator::showBatteryLife()
{
    const QRadioButton* const radios[] = {ui->radioButtonMarkers, ui->radioButtonVisible, ui->radioButtonWhole,
                                          ui->radioButtonWorking, ui->radioButtonUser};
    double current = 0;
    for (int type = 0; type < 5; ++type) {
        if (!radios[type]->isChecked())
            continue;
        // A source that could not be filled (markers hidden or together, nothing recorded)
        // has no current to estimate from, whatever its record still holds.
        if (infoList[type].status == CalculatorInfo::Valid)
            current = infoList[type].current;
    }
    ui->bateryLife->setText(batteryLifeText(ui->spinBoxCapacity->value(), current));
}

void Calculator::onUserCurrentEdited()
{
    CalculatorInfo& user = info(CalculatorInfo::UserDefined);
    bool ok = false;
    const double value = ui->lineEditUser->text().toDouble(&ok);
    if (!ok || !(value > 0)) {
        user.status = CalculatorInfo::WrongValue;
        showError(user);
        ui->lineEditUser->setText(QStringLiteral("1"));
        return;
    }
    user.current = value;
    user.status = CalculatorInfo::Valid;
    showBatteryLife();
}

void Calculator::onWorkingCycleEdited()
{
    applyWorkingCycle();
}

// The working-cycle window is one rule for the field and the radio button alike: as wide
// as the cycle, centred on the middle of the whole measurement. The main window refills
// its average on updateInfo, then the records and the life are shown again.
void Calculator::applyWorkingCycle()
{
    CalculatorInfo& cycle = info(CalculatorInfo::WorkingCycle);
    if (info(CalculatorInfo::ByMarkers).status == CalculatorInfo::EmptyLog) {
        showError(info(CalculatorInfo::ByMarkers));
        return;
    }
    const QString text = ui->lineEditWorking->text();
    if (text.isEmpty()) {
        cycle.status = CalculatorInfo::WrongValue;
        showError(cycle);
        return;
    }
    bool ok = false;
    const qlonglong seconds = text.toLongLong(&ok, 10);
    const double length = wholeLength();
    if (!ok || seconds <= 0 || double(seconds) > length) {
        cycle.status = CalculatorInfo::CycleTooLong;
        showError(cycle);
        ui->lineEditWorking->setText(QString::number(length, 'g', 6));
        return;
    }
    setWorkingCycleWindow(cycle, info(CalculatorInfo::WholePeriod), double(seconds));
    cycle.status = CalculatorInfo::Valid;
    emit updateInfo();
    for (const CalculatorInfo& record : std::as_const(infoList))
        showInfo(record);
    showBatteryLife();
}

void Calculator::changeEvent(QEvent* event)
{
    Panel::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    // The form's texts and the figures shown, said again in the new language; a source
    // without figures shows the form's placeholders.
    ui->retranslateUi(this);
    for (const CalculatorInfo& record : std::as_const(infoList)) {
        if (record.status == CalculatorInfo::Valid)
            showInfo(record);
    }
    showBatteryLife();
}
