<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="uk_UA">
<context>
    <name>Calculator</name>
    <message>
        <source>Calculator</source>
        <translation>Калькулятор</translation>
    </message>
    <message>
        <source>Battery capacity</source>
        <translation>Ємність батареї</translation>
    </message>
    <message>
        <source>mAh</source>
        <translation>мА·год</translation>
    </message>
    <message>
        <source>Averaging current</source>
        <translation>Усереднення струму</translation>
    </message>
    <message>
        <source>By markers</source>
        <translation>За маркерами</translation>
    </message>
    <message>
        <source>In visible area</source>
        <translation>У видимій області</translation>
    </message>
    <message>
        <source>The whole measurement period</source>
        <translation>Увесь період вимірювання</translation>
    </message>
    <message>
        <source>By working cycle, sec</source>
        <translation>За робочим циклом, с</translation>
    </message>
    <message>
        <source>User defined, mA</source>
        <translation>Задано користувачем, мА</translation>
    </message>
    <message>
        <source>-- : --</source>
        <translation>-- : --</translation>
    </message>
    <message>
        <source>--- mA</source>
        <translation>--- мА</translation>
    </message>
    <message>
        <source>Calculate</source>
        <translation>Обчислити</translation>
    </message>
    <message>
        <source>Battery life</source>
        <translation>Час роботи від батареї</translation>
    </message>
    <message>
        <source>The battery too low</source>
        <translation>Батарея надто слабка</translation>
    </message>
    <message>
        <source>%1 years, </source>
        <translation>%1 р., </translation>
    </message>
    <message>
        <source>%1 months, </source>
        <translation>%1 міс., </translation>
    </message>
    <message>
        <source>%1 days, </source>
        <translation>%1 дн., </translation>
    </message>
    <message>
        <source>%1 hours, </source>
        <translation>%1 год, </translation>
    </message>
    <message>
        <source>%1 minutes, </source>
        <translation>%1 хв, </translation>
    </message>
    <message>
        <source>%1 seconds, </source>
        <translation>%1 с, </translation>
    </message>
    <message>
        <source>The battery is too low  </source>
        <translation>Батарея надто слабка  </translation>
    </message>
    <message>
        <source>Too long working cycle. Only </source>
        <translation>Задовгий робочий цикл. Доступно лише </translation>
    </message>
    <message>
        <source> sec available</source>
        <translation> с</translation>
    </message>
    <message>
        <source>Empty measurements log.</source>
        <translation>Журнал вимірювань порожній.</translation>
    </message>
    <message>
        <source>Markers too close</source>
        <translation>Маркери надто близько</translation>
    </message>
    <message>
        <source>Markers are not visible, check their position</source>
        <translation>Маркери не видно, перевірте їх положення</translation>
    </message>
    <message>
        <source>Wrong value</source>
        <translation>Неправильне значення</translation>
    </message>
</context>
<context>
    <name>ControlPanel</name>
    <message>
        <source> %1 %2 (one channel only)</source>
        <translation> %1 %2 (лише один канал)</translation>
    </message>
    <message>
        <source>Error details</source>
        <translation>Подробиці помилки</translation>
    </message>
    <message>
        <source>Restore fault.
Channels calibration values are lost.
</source>
        <translation>Помилка відновлення.
Калібрувальні значення каналів втрачено.
</translation>
    </message>
    <message>
        <source>Power converter communication error
</source>
        <translation>Помилка зв'язку з перетворювачем живлення
</translation>
    </message>
    <message>
        <source>Power converter can not not provide output voltage requlation
</source>
        <translation>Перетворювач живлення не може забезпечити регулювання вихідної напруги
</translation>
    </message>
    <message>
        <source>Power converter thermal shutdown
</source>
        <translation>Теплове вимкнення перетворювача живлення
</translation>
    </message>
    <message>
        <source>Low battery voltage is detected. 
</source>
        <translation>Виявлено низьку напругу батареї. 
</translation>
    </message>
    <message>
        <source>Load power is switched to Vusb.
</source>
        <translation>Живлення навантаження перемкнено на Vusb.
</translation>
    </message>
    <message>
        <source>Load power is disabled
</source>
        <translation>Живлення навантаження вимкнено
</translation>
    </message>
    <message>
        <source>Lost of data is detected
</source>
        <translation>Виявлено втрату даних
</translation>
    </message>
    <message>
        <source>1.Remove reason for high current.
</source>
        <translation>1.Усуньте причину великого струму.
</translation>
    </message>
    <message>
        <source>2.Select and APPLY proper power source(Vusb or Vbat).
</source>
        <translation>2.Оберіть і ЗАСТОСУЙТЕ належне джерело живлення (Vusb або Vbat).
</translation>
    </message>
    <message>
        <source>3.Select and SET  proper Power config.
</source>
        <translation>3.Оберіть і ЗАДАЙТЕ  належну конфігурацію живлення.
</translation>
    </message>
    <message>
        <source>4.Press button "Reset errors".
</source>
        <translation>4.Натисніть кнопку "Скинути помилки".
</translation>
    </message>
    <message>
        <source>5.Now device is ready to work again.</source>
        <translation>5.Тепер пристрій знову готовий до роботи.</translation>
    </message>
    <message>
        <source>All power supplies were disconnected from DUT  due overcurrent.
</source>
        <translation>Усі джерела живлення від'єднано від пристрою під тестом  через перевищення струму.
</translation>
    </message>
    <message>
        <source>Vbat supply was disconnected from DUT, battery is low.
</source>
        <translation>Живлення Vbat від'єднано від пристрою під тестом, батарея розряджена.
</translation>
    </message>
    <message>
        <source> mV</source>
        <translation> мВ</translation>
    </message>
    <message>
        <source>Reset errors</source>
        <translation>Скинути помилки</translation>
    </message>
    <message>
        <source>Battery LOW</source>
        <translation>Батарея РОЗРЯДЖЕНА</translation>
    </message>
    <message>
        <source>Switch Vin</source>
        <translation>Джерело Vin</translation>
    </message>
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
        <source>kHz</source>
        <translation>кГц</translation>
    </message>
    <message>
        <source>Hz</source>
        <translation>Гц</translation>
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
<context>
    <name>StatusPanel</name>
    <message>
        <source>Status</source>
        <translation>Стан</translation>
    </message>
    <message>
        <source>Vbat</source>
        <translation>Vbat</translation>
    </message>
    <message>
        <source>SYNC</source>
        <translation>SYNC</translation>
    </message>
    <message>
        <source>OUT-EN</source>
        <translation>OUT-EN</translation>
    </message>
    <message>
        <source>Vusb</source>
        <translation>Vusb</translation>
    </message>
    <message>
        <source>TRIG</source>
        <translation>TRIG</translation>
    </message>
    <message>
        <source>FLAG</source>
        <translation>FLAG</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>#0:</source>
        <translation>#0:</translation>
    </message>
    <message>
        <source>#1:</source>
        <translation>#1:</translation>
    </message>
    <message>
        <source>#2:</source>
        <translation>#2:</translation>
    </message>
    <message>
        <source>Vin, V</source>
        <translation>Vin, В</translation>
    </message>
</context>
</TS>