<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_GB">
<context>
    <name>MarkerBar</name>
    <message>
        <source>Marker's color</source>
        <translation>Marker's color</translation>
    </message>
    <message>
        <source>Length: </source>
        <translation>Length: </translation>
    </message>
    <message>
        <source>   min </source>
        <translation>   min </translation>
    </message>
    <message>
        <source>   max </source>
        <translation>   max </translation>
    </message>
    <message>
        <source>   average </source>
        <translation>   average </translation>
    </message>
</context>
<context>
    <name>NavigationBar</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Click the sample of interest for direct access to the time window containing this sample</source>
        <translation>Click the sample of interest for direct access to the time window containing this sample</translation>
    </message>
    <message>
        <source>Sets extreme values to display them on the navigation panel</source>
        <translation>Sets extreme values to display them on the navigation panel</translation>
    </message>
</context>
<context>
    <name>NavigationSettings</name>
    <message>
        <source>Decimation</source>
        <translation>Decimation</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>#0</source>
        <translation>#0</translation>
    </message>
    <message>
        <source>#1</source>
        <translation>#1</translation>
    </message>
    <message>
        <source>#2</source>
        <translation>#2</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>mA</source>
        <translation>mA</translation>
    </message>
    <message>
        <source>mV</source>
        <translation>mV</translation>
    </message>
</context>
<context>
    <name>ReportBar</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Power profile data for a complete measurement time span</source>
        <translation>Power profile data for a complete measurement time span</translation>
    </message>
    <message>
        <source>Full range</source>
        <translation>Full range</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>#0, mA</source>
        <translation>#0, mA</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>#1, mV</source>
        <translation>#1, mV</translation>
    </message>
    <message>
        <source>#2, mV</source>
        <translation>#2, mV</translation>
    </message>
    <message>
        <source>Power profile data for the time window displayed</source>
        <translation>Power profile data for the time window displayed</translation>
    </message>
    <message>
        <source>0.00-10.00,s</source>
        <translation>0.00-10.00,s</translation>
    </message>
</context>
</TS>