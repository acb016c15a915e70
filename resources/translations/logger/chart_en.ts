<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_GB">
<context>
    <name>ChartPlot</name>
    <message>
        <source>Use mouse to move time window left and right. Use mouse wheel to zoom in or zoom out the time window displayed</source>
        <translation>Use mouse to move time window left and right. Use mouse wheel to zoom in or zoom out the time window displayed</translation>
    </message>
</context>
<context>
    <name>GLWidget</name>
    <message>
        <source>Channels: %1 Sample rate: %2 Hz</source>
        <translation>Channels: %1 Sample rate: %2 Hz</translation>
    </message>
    <message>
        <source>Channels: %1 Sample rate: %2%3</source>
        <translation>Channels: %1 Sample rate: %2%3</translation>
    </message>
    <message>
        <source>, Measurement time: %3</source>
        <translation>, Measurement time: %3</translation>
    </message>
</context>
</TS>