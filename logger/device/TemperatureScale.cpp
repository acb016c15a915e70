#include "TemperatureScale.h"

bool isTemperatureChannel(int channel)
{
    return channel == 4 || channel == 5;
}

double toFahrenheit(double celsius)
{
    return celsius * 1.8 + 32.0;
}

QString unitInScale(int channel, const QString& unit, bool fahrenheit)
{
    if (!fahrenheit || !isTemperatureChannel(channel) || !unit.endsWith(QLatin1Char('C')))
        return unit;
    return unit.chopped(1) + QLatin1Char('F');
}
