<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="uk_UA">
<context>
    <name>MainWindow</name>
    <message>
        <source>TALVO Logger</source>
        <translation>TALVO Logger</translation>
    </message>
    <message>
        <source>toolBar</source>
        <translation>Панель інструментів</translation>
    </message>
    <message>
        <source> - no device connected</source>
        <translation> - пристрій не під'єднано</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Стан</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Керування</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Зберегти</translation>
    </message>
    <message>
        <source>Not all measurements are saved. Do you want to save them?</source>
        <translation>Не всі вимірювання збережено. Зберегти їх?</translation>
    </message>
    <message>
        <source>Device connected</source>
        <translation>Пристрій під'єднано</translation>
    </message>
    <message>
        <source> TALVO connected</source>
        <translation> TALVO під'єднано</translation>
    </message>
    <message>
        <source>Device disconnected</source>
        <translation>Пристрій від'єднано</translation>
    </message>
    <message>
        <source>FAILED to start measuring: </source>
        <translation>НЕ ВДАЛОСЯ почати вимірювання: </translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Відкрити файл</translation>
    </message>
    <message>
        <source>The file is corrupted or in the wrong format</source>
        <translation>Файл пошкоджено або він має неправильний формат</translation>
    </message>
    <message>
        <source>Loaded</source>
        <translation>Завантажено</translation>
    </message>
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
        <source>Wrong channels number</source>
        <translation>Неправильна кількість каналів</translation>
    </message>
    <message>
        <source>Internal file error</source>
        <translation>Внутрішня помилка файлу</translation>
    </message>
    <message>
        <source>At least one channel should be selected.</source>
        <translation>Потрібно вибрати принаймні один канал.</translation>
    </message>
    <message>
        <source>Capture </source>
        <translation>Запис </translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Час</translation>
    </message>
    <message>
        <source>Time, sec</source>
        <translation>Час, с</translation>
    </message>
    <message>
        <source>Couldn't save file </source>
        <translation>Не вдалося зберегти файл </translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Збережено</translation>
    </message>
    <message>
        <source>These recordings were not saved and are kept here:
%1</source>
        <translation>Ці записи не збережено, вони залишаються тут:
%1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрити</translation>
    </message>
    <message>
        <source>%1 is not saved. Want to save it before closing?</source>
        <translation>%1 не збережено. Зберегти перед закриттям?</translation>
    </message>
    <message>
        <source>Close tabs to the left</source>
        <translation>Закрити вкладки ліворуч</translation>
    </message>
    <message>
        <source>Close tabs to the right</source>
        <translation>Закрити вкладки праворуч</translation>
    </message>
    <message>
        <source>Close all tabs</source>
        <translation>Закрити всі вкладки</translation>
    </message>
    <message>
        <source>Custom: </source>
        <translation>Власне: </translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Відкрити</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Вигляд</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Налаштування</translation>
    </message>
    <message>
        <source>TALVO shows the part of the datalog, the duration of which does not exceed the specified number of seconds</source>
        <translation>TALVO показує частину запису, тривалість якої не перевищує вказаної кількості секунд</translation>
    </message>
    <message>
        <source>Show </source>
        <translation>Показати </translation>
    </message>
    <message>
        <source>sec</source>
        <translation>с</translation>
    </message>
    <message>
        <source>Show Report</source>
        <translation>Показати звіт</translation>
    </message>
    <message>
        <source>Hide Report</source>
        <translation>Сховати звіт</translation>
    </message>
    <message>
        <source>Show Markers</source>
        <translation>Показати маркери</translation>
    </message>
    <message>
        <source>Hide Markers</source>
        <translation>Сховати маркери</translation>
    </message>
    <message>
        <source>Calculator</source>
        <translation>Калькулятор</translation>
    </message>
    <message>
        <source>Measuring time,sec </source>
        <translation>Час вимірювання, с </translation>
    </message>
    <message>
        <source>Stop measurements after the specified number of seconds</source>
        <translation>Зупинити вимірювання через вказану кількість секунд</translation>
    </message>
    <message>
        <source>Time: </source>
        <translation>Час: </translation>
    </message>
    <message>
        <source>Time, sec: </source>
        <translation>Час, с: </translation>
    </message>
    <message>
        <source>A new software version is available. Go to Settings to update.</source>
        <translation>Доступна нова версія програми. Відкрийте налаштування, щоб оновити.</translation>
    </message>
    <message>
        <source>A new firmware version is available. Go to Settings to update.</source>
        <translation>Доступна нова версія мікропрограми. Відкрийте налаштування, щоб оновити.</translation>
    </message>
    <message>
        <source>the tab holds no recording</source>
        <translation>у вкладці немає запису</translation>
    </message>
    <message>
        <source> Hollowcrest Duriz 500 connected</source>
        <translation> Hollowcrest Duriz 500 під'єднано</translation>
    </message>
    <message>
        <source> Hollowcrest Vuviv 600 connected</source>
        <translation> Hollowcrest Vuviv 600 під'єднано</translation>
    </message>
    <message>
        <source>The log command is not valid: %1</source>
        <translation>Недійсна команда запису: %1</translation>
    </message>
    <message>
        <source>The supply cannot log at %1 Hz: choose a rate from 1 to 10000 Hz that divides 10000 Hz.</source>
        <translation>Джерело не може записувати з частотою %1 Гц: оберіть частоту від 1 до 10000 Гц, на яку без остачі ділиться 10000 Гц.</translation>
    </message>
    <message>
        <source>The supply stopped logging: %1</source>
        <translation>Джерело зупинило запис: %1</translation>
    </message>
    <message>
        <source>Enter value</source>
        <translation>Введіть значення</translation>
    </message>
    <message>
        <source>Viewing interval, sec </source>
        <translation>Інтервал перегляду, с </translation>
    </message>
    <message>
        <source>Attention! The current has exceeded 1A.</source>
        <translation>Увага! Струм перевищив 1 А.</translation>
    </message>
    <message>
        <source>The instrument is waiting in its bootloader for new firmware: load it under Settings → Update.</source>
        <translation>Прилад перебуває в завантажувачі й чекає на нову прошивку: оновіть її в Налаштування → Оновлення.</translation>
    </message>
    <message>
        <source>The log was cut off before its end. Samples it holds: %1</source>
        <translation>Журнал обірвано до його кінця. Вибірок у ньому: %1</translation>
    </message>
    <message>
        <source>The file %1 no longer exists</source>
        <translation>Файлу %1 більше не існує</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 вже існує.
Замінити його?</translation>
    </message>
    <message>
        <source>it is open in the tab %1</source>
        <translation>він відкритий у вкладці %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Can't launch</source>
        <translation>Не вдається запустити</translation>
    </message>
    <message>
        <source>Instance of the TALVO already running. Terminate it please.</source>
        <translation>Копія TALVO вже працює. Будь ласка, завершіть її.</translation>
    </message>
    <message>
        <source>The single-instance check of the TALVO failed: %1</source>
        <translation>Не вдалася перевірка єдиної копії TALVO: %1</translation>
    </message>
</context>
</TS>