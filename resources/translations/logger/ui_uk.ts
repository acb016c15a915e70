<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="uk_UA">
<context>
    <name>ControlPanel</name>
    <message>
        <source>Control</source>
        <translation>Керування</translation>
    </message>
    <message>
        <source>Power output config</source>
        <translation>Конфігурація вихідного живлення</translation>
    </message>
    <message>
        <source>Permanent</source>
        <translation>Постійне</translation>
    </message>
    <message>
        <source>Delayed</source>
        <translation>Відкладене</translation>
    </message>
    <message>
        <source>TALVO starts sampling then swith power ON after the first 10 samples. This option is for DUT startups sequences profiling</source>
        <translation>TALVO починає вибірку, а потім вмикає живлення після перших 10 вибірок. Цей режим призначений для профілювання послідовностей запуску пристрою під тестом</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Вимкнено</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Задати</translation>
    </message>
    <message>
        <source>1800 mV</source>
        <translation>1800 мВ</translation>
    </message>
    <message>
        <source>Set output voltage(mv)</source>
        <translation>Вихідна напруга (мВ)</translation>
    </message>
    <message>
        <source>Switch Vin</source>
        <translation>Джерело Vin</translation>
    </message>
    <message>
        <source>Vbat -&gt; Vin</source>
        <translation>Vbat -&gt; Vin</translation>
    </message>
    <message>
        <source>Using internal LiIon battery as a power source.
Choose this option if the peak current consumption can be more than 500mA</source>
        <translation>Живлення від внутрішньої літій-іонної батареї.
Оберіть цей варіант, якщо піковий струм споживання може перевищувати 500 мА</translation>
    </message>
    <message>
        <source>Vusb -&gt; Vin</source>
        <translation>Vusb -&gt; Vin</translation>
    </message>
    <message>
        <source>Using USB as a power source.
Choose this option to examine devices consuming less than 500mA</source>
        <translation>Живлення від USB.
Оберіть цей варіант для пристроїв, що споживають менше 500 мА</translation>
    </message>
    <message>
        <source>Apply sync related to</source>
        <translation>Синхронізація відносно</translation>
    </message>
    <message>
        <source>TRIG</source>
        <translation>TRIG</translation>
    </message>
    <message>
        <source>Logging</source>
        <translation>Запису</translation>
    </message>
    <message>
        <source>Reset errors</source>
        <translation>Скинути помилки</translation>
    </message>
    <message>
        <source>Sync delay(ms) </source>
        <translation>Затримка синхронізації (мс) </translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Застосувати</translation>
    </message>
    <message>
        <source>Applying power source profile</source>
        <translation>Застосувати профіль джерела живлення</translation>
    </message>
    <message>
        <source>Sample rate</source>
        <translation>Частота вибірки</translation>
    </message>
    <message>
        <source>Custom (100us units)</source>
        <translation>Власна (одиниці 100 мкс)</translation>
    </message>
    <message>
        <source>(-.--- kHz)</source>
        <translation>(-.--- кГц)</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Канали</translation>
    </message>
    <message>
        <source>Start by Trig Edge</source>
        <translation>Старт за фронтом TRIG</translation>
    </message>
    <message>
        <source>Delay(ms)</source>
        <translation>Затримка (мс)</translation>
    </message>
    <message>
        <source>Log by Trig Gate</source>
        <translation>Запис за рівнем TRIG</translation>
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
        <source>The log was cut off before its end. Samples it holds: %1</source>
        <translation>Журнал обірвано до його кінця. Вибірок у ньому: %1</translation>
    </message>
    <message>
        <source>The instrument is waiting in its bootloader for new firmware: load it under Settings → Update.</source>
        <translation>Прилад перебуває в завантажувачі й чекає на нову прошивку: оновіть її в Налаштування → Оновлення.</translation>
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