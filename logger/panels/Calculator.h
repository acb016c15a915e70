#pragma once

#include "CalculatorInfo.h"
#include "Panel.h"

#include <QTimer>

namespace Ui {
class Calculator;
}

// A floating tool window that estimates how long a battery of a given capacity would feed
// the measured device, from one of five average currents: between the markers, in the
// visible area, over the whole measurement, over a working cycle, or typed by the user.
// The main window fills the first four records of infoList and calls recalculate; the
// calculator checks the inputs, shows each source's period and average, and the life.
class Calculator : public Panel
{
    Q_OBJECT
public:
    static constexpr int errorDisplayMs = 3000;

    explicit Calculator(QWidget* parent);
    ~Calculator() override;

    CalculatorInfo& info(CalculatorInfo::InfoType type);
    void recalculate(const QList<CalculatorInfo>& list);

    Ui::Calculator* form() const { return ui; }
    // The hint shown last under a field (also kept for callers that cannot see tool tips).
    QString lastHint() const { return m_lastHint; }

    // Records in the order of their types; the main window writes records 0 to 3.
    QList<CalculatorInfo> infoList;

public slots:
    void onCalcButton();
    void onRadioButton(CalculatorInfo::InfoType _type);

signals:
    // A new working-cycle window is set: the main window refills the averages.
    void updateInfo();

protected:
    void changeEvent(QEvent* event) override;

private:
    void showInfo(const CalculatorInfo& record);
    void showError(const CalculatorInfo& record);
    void showHint(QWidget* field, const QString& text);
    void showBatteryLife();
    void onUserCurrentEdited();
    void onWorkingCycleEdited();
    void selectSource(CalculatorInfo::InfoType type);
    void applyWorkingCycle();
    double wholeLength() const;
    QString tooLongText() const;

    Ui::Calculator* ui;
    QTimer errorClear;
    QString m_lastHint;
};
