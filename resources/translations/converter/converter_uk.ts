<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="uk_UA">
<context>
    <name>MainWindow</name>
    <message>
        <source>Wrong file version</source>
        <translation>Неправильна версія файлу</translation>
    </message>
    <message>
        <source>Can't open file</source>
        <translation>Не вдається відкрити файл</translation>
    </message>
    <message>
        <source>Can't create output file</source>
        <translation>Не вдається створити вихідний файл</translation>
    </message>
    <message>
        <source>Can't save file</source>
        <translation>Не вдається зберегти файл</translation>
    </message>
    <message>
        <source>Can't remove file</source>
        <translation>Не вдається видалити файл</translation>
    </message>
    <message>
        <source>Failed to write to file</source>
        <translation>Не вдалося записати у файл</translation>
    </message>
    <message>
        <source>Failed to read file</source>
        <translation>Не вдалося прочитати файл</translation>
    </message>
    <message>
        <source>Wrong read length</source>
        <translation>Неправильна довжина читання</translation>
    </message>
    <message>
        <source>File mapping error</source>
        <translation>Помилка відображення файлу в пам'ять</translation>
    </message>
    <message>
        <source>Wrong number of channels</source>
        <translation>Неправильна кількість каналів</translation>
    </message>
    <message>
        <source>Wrong sample period</source>
        <translation>Неправильний період вибірки</translation>
    </message>
    <message>
        <source>Internal file error</source>
        <translation>Внутрішня помилка файлу</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Налаштування</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Мова</translation>
    </message>
    <message>
        <source>Korvanite QMT Converter</source>
        <translation>Конвертер Korvanite QMT</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Версія</translation>
    </message>
    <message>
        <source>Copyright %1 Korvanite. All rights reserved.</source>
        <translation>Авторське право %1 Korvanite. Усі права захищено.</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Домашня сторінка</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Довідка</translation>
    </message>
    <message>
        <source>&lt;a href="https://www.korvanite.com/qmt/manual/"&gt;User Manual&lt;/a&gt;</source>
        <translation>&lt;a href="https://www.korvanite.com/qmt/manual/"&gt;Посібник користувача&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрити</translation>
    </message>
</context>
<context>
    <name>SwapFile</name>
    <message>
        <source>Time:sec</source>
        <translation>Час:с</translation>
    </message>
    <message>
        <source>Start time </source>
        <translation>Час початку </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Скасувати</translation>
    </message>
</context>
</TS>