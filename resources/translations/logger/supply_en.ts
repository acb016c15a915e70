<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_GB">
<context>
    <name>OptionsDialog</name>
    <message>
        <source>The value %1 of "%2" is out of range.</source>
        <translation>The value %1 of "%2" is out of range.</translation>
    </message>
</context>
<context>
    <name>PowerDisplay</name>
    <message>
        <source>NONE</source>
        <translation>NONE</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Fan speed</source>
        <translation>Fan speed</translation>
    </message>
    <message>
        <source>Main Output Voltage</source>
        <translation>Main Output Voltage</translation>
    </message>
    <message>
        <source>Main Output Current</source>
        <translation>Main Output Current</translation>
    </message>
    <message>
        <source>Mains Voltage</source>
        <translation>Mains Voltage</translation>
    </message>
    <message>
        <source>Mains Frequency</source>
        <translation>Mains Frequency</translation>
    </message>
    <message>
        <source>Max. Permitted Power</source>
        <translation>Max. Permitted Power</translation>
    </message>
    <message>
        <source>Max. Permitted Current</source>
        <translation>Max. Permitted Current</translation>
    </message>
    <message>
        <source>Total Current Consumption</source>
        <translation>Total Current Consumption</translation>
    </message>
    <message>
        <source>Total Power Consumption</source>
        <translation>Total Power Consumption</translation>
    </message>
    <message>
        <source>Temperature inside</source>
        <translation>Temperature inside</translation>
    </message>
    <message>
        <source>Temperature outside</source>
        <translation>Temperature outside</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>USB Output Voltage</source>
        <translation>USB Output Voltage</translation>
    </message>
    <message>
        <source>USB Output Current</source>
        <translation>USB Output Current</translation>
    </message>
    <message>
        <source>USB1 Output Voltage</source>
        <translation>USB1 Output Voltage</translation>
    </message>
    <message>
        <source>USB1 Output Current</source>
        <translation>USB1 Output Current</translation>
    </message>
    <message>
        <source>USB2 Output Voltage</source>
        <translation>USB2 Output Voltage</translation>
    </message>
    <message>
        <source>USB2 Output Current</source>
        <translation>USB2 Output Current</translation>
    </message>
    <message>
        <source>USB3 Output Voltage</source>
        <translation>USB3 Output Voltage</translation>
    </message>
    <message>
        <source>USB3 Output Current</source>
        <translation>USB3 Output Current</translation>
    </message>
    <message>
        <source>USB4 Output Voltage</source>
        <translation>USB4 Output Voltage</translation>
    </message>
    <message>
        <source>USB4 Output Current</source>
        <translation>USB4 Output Current</translation>
    </message>
</context>
</TS>