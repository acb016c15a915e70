<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="uk_UA">
<context>
    <name>MainWindow</name>
    <message>
        <source>Hz</source>
        <translation>Гц</translation>
    </message>
</context>
<context>
    <name>OptionsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Налаштування</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Мова</translation>
    </message>
</context>
<context>
    <name>PowerPanel</name>
    <message>
        <source>Power</source>
        <translation>Живлення</translation>
    </message>
    <message>
        <source>Checking the input power</source>
        <translation>Перевірка вхідного живлення</translation>
    </message>
    <message>
        <source>Temperature scale</source>
        <translation>Шкала температури</translation>
    </message>
    <message>
        <source>Fahrenheit </source>
        <translation>Фаренгейт </translation>
    </message>
    <message>
        <source>Sample rate</source>
        <translation>Частота вибірки</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Власна</translation>
    </message>
    <message>
        <source>Hz</source>
        <translation>Гц</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Канали</translation>
    </message>
    <message>
        <source>no more than 5 channels simultaneously </source>
        <translation>не більше 5 каналів одночасно </translation>
    </message>
    <message>
        <source>Start measurements</source>
        <translation>Почати вимірювання</translation>
    </message>
    <message>
        <source>Stop measurements</source>
        <translation>Зупинити вимірювання</translation>
    </message>
</context>
</TS>