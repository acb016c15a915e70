<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="uk_UA">
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
    <message>
        <source>Appearance</source>
        <translation>Вигляд</translation>
    </message>
    <message>
        <source>Color theme</source>
        <translation>Колірна тема</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Темна</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Світла</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Кольори</translation>
    </message>
    <message>
        <source>Charts background</source>
        <translation>Тло графіків</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Переглянути</translation>
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
        <source>Apply to</source>
        <translation>Застосувати до</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Усе</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Графік</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Звіт</translation>
    </message>
    <message>
        <source>Mouse hint</source>
        <translation>Підказка миші</translation>
    </message>
    <message>
        <source>Time format</source>
        <translation>Формат часу</translation>
    </message>
    <message>
        <source>hh:mm:ss.s</source>
        <translation>гг:хх:сс.с</translation>
    </message>
    <message>
        <source>sss.s</source>
        <translation>ссс.с</translation>
    </message>
    <message>
        <source>Device Settings</source>
        <translation>Налаштування пристрою</translation>
    </message>
    <message>
        <source>Display time when Switched Off</source>
        <translation>Показувати час, коли вимкнено</translation>
    </message>
    <message>
        <source>Classic Watch</source>
        <translation>Класичний годинник</translation>
    </message>
    <message>
        <source>Digital Watch</source>
        <translation>Цифровий годинник</translation>
    </message>
    <message>
        <source>Temperature, F</source>
        <translation>Температура, F</translation>
    </message>
    <message>
        <source>24h time format</source>
        <translation>24-годинний формат</translation>
    </message>
    <message>
        <source>Date format</source>
        <translation>Формат дати</translation>
    </message>
    <message>
        <source>Device info</source>
        <translation>Про пристрій</translation>
    </message>
    <message>
        <source>Status Screen</source>
        <translation>Екран стану</translation>
    </message>
    <message>
        <source>Show sequentially every</source>
        <translation>Показувати по черзі кожні</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>с</translation>
    </message>
    <message>
        <source>Show TOTAL</source>
        <translation>Показувати TOTAL</translation>
    </message>
    <message>
        <source>Show POWER</source>
        <translation>Показувати POWER</translation>
    </message>
    <message>
        <source>Show AUX</source>
        <translation>Показувати AUX</translation>
    </message>
    <message>
        <source>Show SITE</source>
        <translation>Показувати SITE</translation>
    </message>
    <message>
        <source>Power control</source>
        <translation>Керування живленням</translation>
    </message>
    <message>
        <source>Use Long Touch for Switch On/Off</source>
        <translation>Довгий дотик вмикає й вимикає вихід</translation>
    </message>
    <message>
        <source>Auto Switch On at </source>
        <translation>Автоматично вмикати о </translation>
    </message>
    <message>
        <source>hh:mm</source>
        <translation>hh:mm</translation>
    </message>
    <message>
        <source>Restore output after the mains resume</source>
        <translation>Відновлювати вихід після повернення мережі</translation>
    </message>
    <message>
        <source>Auto Switch Off at </source>
        <translation>Автоматично вимикати о </translation>
    </message>
    <message>
        <source>Auto Switch Off when consumption is lower than</source>
        <translation>Автоматично вимикати, коли споживання менше ніж</translation>
    </message>
    <message>
        <source>A after</source>
        <translation>А протягом</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>хв</translation>
    </message>
    <message>
        <source>Tune/Trim 12V</source>
        <translation>Підстроювання 12 В</translation>
    </message>
    <message>
        <source>USB1 0.0 V</source>
        <translation>USB1 0.0 В</translation>
    </message>
    <message>
        <source>USB2 0.0 V</source>
        <translation>USB2 0.0 В</translation>
    </message>
    <message>
        <source>USB3 0.0 V</source>
        <translation>USB3 0.0 В</translation>
    </message>
    <message>
        <source>USB4 0.0 V</source>
        <translation>USB4 0.0 В</translation>
    </message>
    <message>
        <source>Sync. Time</source>
        <translation>Синхронізація часу</translation>
    </message>
    <message>
        <source>PC time</source>
        <translation>Час ПК</translation>
    </message>
    <message>
        <source>hh:mm MM/dd/yyyy</source>
        <translation>hh:mm MM/dd/yyyy</translation>
    </message>
    <message>
        <source>Last Sync time</source>
        <translation>Остання синхронізація</translation>
    </message>
    <message>
        <source>Sync. Now</source>
        <translation>Синхронізувати</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Імпорт</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Типові значення</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Застосувати</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Зберегти</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Експорт</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Оновлення</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Мікропрограма</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Відомості</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Модель:</translation>
    </message>
    <message>
        <source>none</source>
        <translation>немає</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Версія:</translation>
    </message>
    <message>
        <source>9.9.99</source>
        <translation>9.9.99</translation>
    </message>
    <message>
        <source>S/N:</source>
        <translation>С/Н:</translation>
    </message>
    <message>
        <source>123456789</source>
        <translation>123456789</translation>
    </message>
    <message>
        <source>Update from file</source>
        <translation>Оновити з файлу</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Automatically check for updates</source>
        <translation>Автоматично перевіряти оновлення</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>Перевірити</translation>
    </message>
    <message>
        <source>New version available</source>
        <translation>Доступна нова версія</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Докладніше</translation>
    </message>
    <message>
        <source>Software</source>
        <translation>Програма</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Завантажити</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Про програму</translation>
    </message>
    <message>
        <source>Korvanite QMT (Quartz Meter Tool) Logger</source>
        <translation>Korvanite QMT (Quartz Meter Tool) Logger</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Версія</translation>
    </message>
    <message>
        <source>1.0.0 (Dec 01, 2020)</source>
        <translation>1.0.0 (Dec 01, 2020)</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Домашня сторінка</translation>
    </message>
    <message>
        <source>&lt;a href="https://korvanite.example/"&gt;korvanite.example&lt;/a&gt;</source>
        <translation>&lt;a href="https://korvanite.example/"&gt;korvanite.example&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Довідка</translation>
    </message>
    <message>
        <source>&lt;a href="https://korvanite.example/downloads/"&gt;User Manual&lt;/a&gt;</source>
        <translation>&lt;a href="https://korvanite.example/downloads/"&gt;Посібник користувача&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Copyright %1 Korvanite. All rights reserved.</source>
        <translation>Авторське право %1 Korvanite. Усі права захищено.</translation>
    </message>
    <message>
        <source>Choose file</source>
        <translation>Виберіть файл</translation>
    </message>
    <message>
        <source>Temperature, %1F</source>
        <translation>Температура, %1F</translation>
    </message>
    <message>
        <source>Serial number: </source>
        <translation>Серійний номер: </translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>Версія: </translation>
    </message>
    <message>
        <source>TOTAL</source>
        <translation>TOTAL</translation>
    </message>
    <message>
        <source>POWER</source>
        <translation>POWER</translation>
    </message>
    <message>
        <source>AUX</source>
        <translation>AUX</translation>
    </message>
    <message>
        <source>SITE</source>
        <translation>SITE</translation>
    </message>
    <message>
        <source>NONE</source>
        <translation>NONE</translation>
    </message>
    <message>
        <source>LOAD</source>
        <translation>LOAD</translation>
    </message>
    <message>
        <source>USB C</source>
        <translation>USB C</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Попередження</translation>
    </message>
    <message>
        <source>Device disconnected</source>
        <translation>Пристрій від'єднано</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрити</translation>
    </message>
    <message>
        <source>Settings are not saved. Save now?</source>
        <translation>Налаштування не збережено. Зберегти зараз?</translation>
    </message>
    <message>
        <source>Export settings to JSON</source>
        <translation>Експорт налаштувань у JSON</translation>
    </message>
    <message>
        <source>The settings could not be written to %1: %2</source>
        <translation>Не вдалося записати налаштування до %1: %2</translation>
    </message>
    <message>
        <source>Import settings from JSON</source>
        <translation>Імпорт налаштувань із JSON</translation>
    </message>
    <message>
        <source>The file %1 could not be read: %2</source>
        <translation>Не вдалося прочитати файл %1: %2</translation>
    </message>
    <message>
        <source>The file %1 is not a settings file.</source>
        <translation>Файл %1 не є файлом налаштувань.</translation>
    </message>
    <message>
        <source>The file %1 was not imported. %2</source>
        <translation>Файл %1 не імпортовано. %2</translation>
    </message>
    <message>
        <source>Checking</source>
        <translation>Перевірка</translation>
    </message>
    <message>
        <source>Open firmware file</source>
        <translation>Відкрити файл мікропрограми</translation>
    </message>
    <message>
        <source>Firmware info</source>
        <translation>Відомості про мікропрограму</translation>
    </message>
    <message>
        <source>Software info</source>
        <translation>Відомості про програму</translation>
    </message>
    <message>
        <source>Download SW</source>
        <translation>Завантаження програми</translation>
    </message>
    <message>
        <source>File name is empty. Nothing to download.</source>
        <translation>Ім'я файлу порожнє. Нічого завантажувати.</translation>
    </message>
    <message>
        <source>Default web browser downloads file </source>
        <translation>Типовий браузер завантажує файл </translation>
    </message>
    <message>
        <source>Default web browser can't download file </source>
        <translation>Типовий браузер не може завантажити файл </translation>
    </message>
    <message>
        <source>Update</source>
        <comment>button</comment>
        <translation>Оновити</translation>
    </message>
</context>
</TS>