<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="uk_UA">
<context>
    <name>ChartPlot</name>
    <message>
        <source>Use mouse to move time window left and right. Use mouse wheel to zoom in or zoom out the time window displayed</source>
        <translation>Перетягуйте мишею, щоб зсунути часове вікно ліворуч або праворуч. Коліщатком миші збільшуйте або зменшуйте показане часове вікно</translation>
    </message>
</context>
<context>
    <name>GLWidget</name>
    <message>
        <source>Channels: %1 Sample rate: %2 Hz</source>
        <translation>Канали: %1 Частота вибірки: %2 Гц</translation>
    </message>
    <message>
        <source>Channels: %1 Sample rate: %2%3</source>
        <translation>Канали: %1 Частота вибірки: %2%3</translation>
    </message>
    <message>
        <source>, Measurement time: %3</source>
        <translation>, Час вимірювання: %3</translation>
    </message>
</context>
</TS>