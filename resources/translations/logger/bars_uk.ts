<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="uk_UA">
<context>
    <name>MarkerBar</name>
    <message>
        <source>Marker's color</source>
        <translation>Колір маркерів</translation>
    </message>
    <message>
        <source>Length: </source>
        <translation>Тривалість: </translation>
    </message>
    <message>
        <source>   min </source>
        <translation>   мін </translation>
    </message>
    <message>
        <source>   max </source>
        <translation>   макс </translation>
    </message>
    <message>
        <source>   average </source>
        <translation>   середнє </translation>
    </message>
</context>
<context>
    <name>NavigationBar</name>
    <message>
        <source>Form</source>
        <translation>Форма</translation>
    </message>
    <message>
        <source>Click the sample of interest for direct access to the time window containing this sample</source>
        <translation>Клацніть потрібну ділянку, щоб одразу перейти до вікна часу, яке її містить</translation>
    </message>
    <message>
        <source>Sets extreme values to display them on the navigation panel</source>
        <translation>Задає порогові значення, які показує панель навігації</translation>
    </message>
</context>
<context>
    <name>NavigationSettings</name>
    <message>
        <source>Decimation</source>
        <translation>Проріджування</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Канал</translation>
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
        <translation>Поріг</translation>
    </message>
    <message>
        <source>mA</source>
        <translation>мА</translation>
    </message>
    <message>
        <source>mV</source>
        <translation>мВ</translation>
    </message>
</context>
<context>
    <name>ReportBar</name>
    <message>
        <source>Form</source>
        <translation>Форма</translation>
    </message>
    <message>
        <source>Power profile data for a complete measurement time span</source>
        <translation>Профіль споживання за весь час вимірювання</translation>
    </message>
    <message>
        <source>Full range</source>
        <translation>Увесь запис</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Мін</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Макс</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>Середнє</translation>
    </message>
    <message>
        <source>#0, mA</source>
        <translation>#0, мА</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>#1, mV</source>
        <translation>#1, мВ</translation>
    </message>
    <message>
        <source>#2, mV</source>
        <translation>#2, мВ</translation>
    </message>
    <message>
        <source>Power profile data for the time window displayed</source>
        <translation>Профіль споживання у показаному вікні часу</translation>
    </message>
    <message>
        <source>0.00-10.00,s</source>
        <translation>0.00-10.00,с</translation>
    </message>
</context>
</TS>