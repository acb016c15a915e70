<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="uk_UA">
<context>
    <name>Downloader</name>
    <message>
        <source>The update server stopped answering.</source>
        <translation>Сервер оновлень перестав відповідати.</translation>
    </message>
    <message>
        <source>The update server's answer could not be read.</source>
        <translation>Не вдалося прочитати відповідь сервера оновлень.</translation>
    </message>
    <message>
        <source>Version info:</source>
        <translation>Відомості про версію:</translation>
    </message>
    <message>
        <source>Server does not have firmware file.</source>
        <translation>На сервері немає файлу прошивки.</translation>
    </message>
    <message>
        <source>The firmware download is incomplete.</source>
        <translation>Файл прошивки завантажено не повністю.</translation>
    </message>
    <message>
        <source>The update server gave no firmware to download.</source>
        <translation>Сервер оновлень не надав прошивки для завантаження.</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Update Firmware</source>
        <translation>Оновлення прошивки</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрити</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Оновити</translation>
    </message>
    <message>
        <source>Downloading, please wait...</source>
        <translation>Завантаження, зачекайте...</translation>
    </message>
    <message>
        <source>Can't read firmware file</source>
        <translation>Не вдається прочитати файл прошивки</translation>
    </message>
    <message>
        <source>Can't read buffer</source>
        <translation>Не вдається прочитати буфер</translation>
    </message>
    <message>
        <source>No instrument is connected.</source>
        <translation>Прилад не під'єднано.</translation>
    </message>
    <message>
        <source>Firmware file too short.</source>
        <translation>Файл прошивки закороткий.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Попередження</translation>
    </message>
    <message>
        <source>Firmware file has wrong format</source>
        <translation>Файл прошивки має неправильний формат</translation>
    </message>
    <message>
        <source>Updating, please wait...</source>
        <translation>Оновлення, зачекайте...</translation>
    </message>
    <message>
        <source>Successfully updated</source>
        <translation>Успішно оновлено</translation>
    </message>
    <message>
        <source>Update failed: </source>
        <translation>Оновлення не вдалося: </translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Готово</translation>
    </message>
</context>
</TS>