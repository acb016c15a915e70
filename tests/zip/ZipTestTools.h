#pragma once

// Black-box checkers of written archives: the system Python's zipfile and zlib (through
// the scripts beside this file), and `unzip -t`.

#include <QByteArray>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

namespace ZipTestTools {

inline QByteArray runChecker(const QString &program, const QStringList &arguments, int *exitCode = nullptr)
{
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(120000);
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    const QByteArray errors = p.readAllStandardError();
    if (!errors.isEmpty())
        qWarning("%s: %s", qPrintable(program), errors.constData());
    return p.readAllStandardOutput();
}

inline QString script(const char *name)
{
    return QStringLiteral(TALVO_SOURCE_DIR "/tests/zip/") + QLatin1String(name);
}

// The archive as Python's zipfile reads it ({"entries": [...], "end": {...}}); empty
// when zipfile refuses it.
inline QJsonObject inspect(const QString &archive, const QByteArray &password = QByteArray())
{
    QStringList args{script("zip_inspect.py"), archive};
    if (!password.isEmpty())
        args << QString::fromLatin1(password);
    return QJsonDocument::fromJson(runChecker("/usr/bin/python3", args)).object();
}

// Entry `name` of an inspection, or an empty object.
inline QJsonObject entry(const QJsonObject &inspection, const QString &name)
{
    for (const QJsonValue &e : inspection["entries"].toArray())
        if (e["name"].toString() == name)
            return e.toObject();
    return QJsonObject();
}

// Blocks of a deflated entry's raw stream as our own tracer decodes them.
inline QJsonObject trace(const QString &archive, const QString &name, bool matches = false)
{
    QStringList args{script("deflate_trace.py"), archive, name};
    if (matches)
        args << "--matches";
    return QJsonDocument::fromJson(runChecker("/usr/bin/python3", args)).object();
}

inline bool unzipTest(const QString &archive, const QByteArray &password = QByteArray())
{
    QStringList args{"-t", "-q"};
    if (!password.isEmpty())
        args << "-P" << QString::fromLatin1(password);
    args << archive;
    int code = -1;
    runChecker("unzip", args, &code);
    return code == 0;
}

inline QString sha256(const QByteArray &data)
{
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex());
}

inline QByteArray randomBytes(int n, quint32 seed)
{
    QRandomGenerator g(seed);
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i)
        b[i] = char(g.bounded(256));
    return b;
}

// Worksheet rows like the converter's, `bytes` long.
inline QByteArray worksheetXml(int bytes)
{
    QByteArray xml;
    for (int r = 1; xml.size() < bytes; ++r)
        xml += QStringLiteral("<row r=\"%1\"><c r=\"A%1\"><v>%2</v></c><c r=\"B%1\"><v>%3</v></c></row>")
                   .arg(r).arg(r * 0.0011, 0, 'f', 4).arg((r * 7919) % 5003 / 1000.0, 0, 'f', 3).toLatin1();
    return xml.left(bytes);
}

} // namespace ZipTestTools
