#pragma once

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QStringList>

#include <string>

// Small helpers shared by the XLSX writer's tests: read a part back and look at
// its elements in document order.
namespace XlsxTest {

inline QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QByteArray ReadFile(const std::string &path)
{
    return ReadFile(QString::fromStdString(path));
}

// Parses with namespace processing off, so names keep their prefixes as written.
inline QDomDocument Parse(const QByteArray &xml, QString *error = nullptr)
{
    QDomDocument document;
    QString message;
    if (!document.setContent(xml, &message) && error != nullptr)
        *error = message.isEmpty() ? QStringLiteral("not well-formed") : message;
    return document;
}

inline QStringList ChildNames(const QDomElement &element)
{
    QStringList names;
    for (QDomElement child = element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement())
        names << child.tagName();
    return names;
}

inline QStringList AttributeValues(const QDomElement &parent, const QString &child, const QString &attribute)
{
    QStringList values;
    for (QDomElement e = parent.firstChildElement(child); !e.isNull(); e = e.nextSiblingElement(child))
        values << e.attribute(attribute);
    return values;
}

// Attribute names of an element in the order they were written (the DOM does not keep it).
inline QStringList AttributeOrder(const QByteArray &xml, const QByteArray &startTag)
{
    QStringList names;
    const int at = xml.indexOf("<" + startTag + " ");
    if (at < 0)
        return names;
    const int end = xml.indexOf('>', at);
    const QByteArray tag = xml.mid(at, end - at);
    int pos = 0;
    while ((pos = tag.indexOf('=', pos)) >= 0) {
        int start = tag.lastIndexOf(' ', pos) + 1;
        names << QString::fromUtf8(tag.mid(start, pos - start));
        ++pos;
    }
    return names;
}

} // namespace XlsxTest
