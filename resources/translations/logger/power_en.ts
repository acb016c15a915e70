<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_GB">
<context>
    <name>MainWindow</name>
    <message>
        <source>Hz</source>
        <translation>Hz</translation>
    </message>
</context>
<context>
    <name>OptionsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
</context>
<context>
    <name>PowerPanel</name>
    <message>
        <source>Power</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>Checking the input power</source>
        <translation>Checking the input power</translation>
    </message>
    <message>
        <source>Temperature scale</source>
        <translation>Temperature scale</translation>
    </message>
    <message>
        <source>Fahrenheit </source>
        <translation>Fahrenheit </translation>
    </message>
    <message>
        <source>Sample rate</source>
        <translation>Sample rate</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>Hz</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>no more than 5 channels simultaneously </source>
        <translation>no more than 5 channels simultaneously </translation>
    </message>
    <message>
        <source>Start measurements</source>
        <translation>Start measurements</translation>
    </message>
    <message>
        <source>Stop measurements</source>
        <translation>Stop measurements</translation>
    </message>
</context>
</TS>