<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="uk_UA">
<context>
    <name>OptionsDialog</name>
    <message>
        <source>The value %1 of "%2" is out of range.</source>
        <translation>Значення %1 поля "%2" поза допустимими межами.</translation>
    </message>
</context>
<context>
    <name>PowerDisplay</name>
    <message>
        <source>NONE</source>
        <translation>НЕМАЄ</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Fan speed</source>
        <translation>Швидкість вентилятора</translation>
    </message>
    <message>
        <source>Main Output Voltage</source>
        <translation>Напруга основного виходу</translation>
    </message>
    <message>
        <source>Main Output Current</source>
        <translation>Струм основного виходу</translation>
    </message>
    <message>
        <source>Mains Voltage</source>
        <translation>Напруга мережі</translation>
    </message>
    <message>
        <source>Mains Frequency</source>
        <translation>Частота мережі</translation>
    </message>
    <message>
        <source>Max. Permitted Power</source>
        <translation>Макс. допустима потужність</translation>
    </message>
    <message>
        <source>Max. Permitted Current</source>
        <translation>Макс. допустимий струм</translation>
    </message>
    <message>
        <source>Total Current Consumption</source>
        <translation>Загальний споживаний струм</translation>
    </message>
    <message>
        <source>Total Power Consumption</source>
        <translation>Загальна споживана потужність</translation>
    </message>
    <message>
        <source>Temperature inside</source>
        <translation>Температура всередині</translation>
    </message>
    <message>
        <source>Temperature outside</source>
        <translation>Температура зовні</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Час</translation>
    </message>
    <message>
        <source>USB Output Voltage</source>
        <translation>Напруга виходу USB</translation>
    </message>
    <message>
        <source>USB Output Current</source>
        <translation>Струм виходу USB</translation>
    </message>
    <message>
        <source>USB1 Output Voltage</source>
        <translation>Напруга виходу USB1</translation>
    </message>
    <message>
        <source>USB1 Output Current</source>
        <translation>Струм виходу USB1</translation>
    </message>
    <message>
        <source>USB2 Output Voltage</source>
        <translation>Напруга виходу USB2</translation>
    </message>
    <message>
        <source>USB2 Output Current</source>
        <translation>Струм виходу USB2</translation>
    </message>
    <message>
        <source>USB3 Output Voltage</source>
        <translation>Напруга виходу USB3</translation>
    </message>
    <message>
        <source>USB3 Output Current</source>
        <translation>Струм виходу USB3</translation>
    </message>
    <message>
        <source>USB4 Output Voltage</source>
        <translation>Напруга виходу USB4</translation>
    </message>
    <message>
        <source>USB4 Output Current</source>
        <translation>Струм виходу USB4</translation>
    </message>
</context>
</TS>