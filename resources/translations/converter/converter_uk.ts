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
    <message>
        <source>TALVO converter</source>
        <translation>Конвертер TALVO</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Ім'я файлу</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Output format</source>
        <translation>Вихідний формат</translation>
    </message>
    <message>
        <source>.xlsx</source>
        <translation>.xlsx</translation>
    </message>
    <message>
        <source>Sheet size, sec</source>
        <translation>Розмір аркуша, с</translation>
    </message>
    <message>
        <source>Max. sheets</source>
        <translation>Макс. аркушів</translation>
    </message>
    <message>
        <source>Add cell names</source>
        <translation>Додати назви стовпців</translation>
    </message>
    <message>
        <source>.csv</source>
        <translation>.csv</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Роздільник</translation>
    </message>
    <message>
        <source>Add header</source>
        <translation>Додати заголовок</translation>
    </message>
    <message>
        <source>Time format</source>
        <translation>Формат часу</translation>
    </message>
    <message>
        <source>Relative</source>
        <translation>Відносний</translation>
    </message>
    <message>
        <source>Absolute</source>
        <translation>Абсолютний</translation>
    </message>
    <message>
        <source>Range (sec)</source>
        <translation>Діапазон (с)</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Старт</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Тривалість</translation>
    </message>
    <message>
        <source>Batch...</source>
        <translation>Пакет...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Вихід</translation>
    </message>
    <message>
        <source>File format version: </source>
        <translation>Версія формату файлу: </translation>
    </message>
    <message>
        <source>Start time: </source>
        <translation>Час початку: </translation>
    </message>
    <message>
        <source>Duration: </source>
        <translation>Тривалість: </translation>
    </message>
    <message>
        <source> sec
</source>
        <translation> с
</translation>
    </message>
    <message>
        <source>Channels: </source>
        <translation>Канали: </translation>
    </message>
    <message>
        <source>Sample rate: %1kHz
</source>
        <translation>Частота дискретизації: %1 кГц
</translation>
    </message>
    <message>
        <source>Select file</source>
        <translation>Виберіть файл</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>Перетворення...</translation>
    </message>
    <message>
        <source>Wrong file name.</source>
        <translation>Неправильне ім'я файлу.</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>Перетворення</translation>
    </message>
    <message>
        <source>Canceled.</source>
        <translation>Скасовано.</translation>
    </message>
    <message>
        <source>Oops! Something went wrong.</source>
        <translation>Ой! Щось пішло не так.</translation>
    </message>
    <message>
        <source>Saving...</source>
        <translation>Збереження...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Too many rows for one sheet</source>
        <translation>Забагато рядків для одного аркуша</translation>
    </message>
    <message>
        <source>This log cannot be read:</source>
        <translation>Цей журнал неможливо прочитати:</translation>
    </message>
    <message>
        <source>This log was cut off: it holds %1 samples.</source>
        <translation>Цей журнал обірвано; вибірок у ньому: %1.</translation>
    </message>
    <message>
        <source>%1 (samples: %2)</source>
        <translation>%1 (вибірок: %2)</translation>
    </message>
    <message>
        <source>These logs were not converted:</source>
        <translation>Ці журнали не перетворено:</translation>
    </message>
    <message>
        <source>These logs were cut off; their samples were converted:</source>
        <translation>Ці журнали обірвано; їхні вибірки перетворено:</translation>
    </message>
    <message>
        <source>Batch conversion</source>
        <translation>Пакетне перетворення</translation>
    </message>
    <message>
        <source>The file is corrupted or in the wrong format</source>
        <translation>Файл пошкоджено або він має неправильний формат</translation>
    </message>
    <message numerus="yes">
        <source>… and %n more</source>
        <translation>
            <numerusform>… і ще %n</numerusform>
            <numerusform>… і ще %n</numerusform>
            <numerusform>… і ще %n</numerusform>
        </translation>
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
    <message>
        <source>Time, sec</source>
        <translation>Час, с</translation>
    </message>
</context>
</TS>