<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="uk_UA">
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
    <name>StatusPanel</name>
    <message>
        <source>Status</source>
        <translation>Стан</translation>
    </message>
</context>
</TS>