// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "ServerMessage.h"

#include <QStringList>
#include <QXmlStreamReader>

namespace {

bool isXml(QByteArrayView mediaType)
{
    return mediaType == "application/xml" || mediaType == "text/xml" || mediaType.endsWith("+xml");
}

// The text of the current element and all inside it; false on a DTD or an
// entity reference, which are never read.
bool readText(QXmlStreamReader &xml, QString &text)
{
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Characters:
            text += xml.text();
            break;
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
            return false;
        default:
            break;
        }
    }
    return !xml.hasError();
}

// <d:error><s:exception>…</s:exception><s:message>Words</s:message></d:error>
// gives "Words"; <d:error><c:supported-calendar-data/></d:error> gives
// "supported-calendar-data".
QString fromXml(QByteArrayView body)
{
    QXmlStreamReader xml(body.toByteArray());
    QString message;
    QStringList conditions;
    int depth = 0;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
            return {};
        case QXmlStreamReader::StartElement: {
            ++depth;
            if (depth == 1 && xml.name() != u"error")
                return {};
            const bool condition = depth == 2;
            if (!condition && xml.name() != u"message")
                break;
            const QString name = xml.name().toString();
            QString text;
            if (!readText(xml, text))
                return {};
            --depth;
            text = text.simplified();
            if (name == u"message") {
                if (message.isEmpty())
                    message = text;
            } else if (name != u"exception") {
                conditions += text.isEmpty() ? name : text;
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    if (xml.hasError())
        return {};
    return message.isEmpty() ? conditions.join(QStringLiteral(", ")) : message;
}

QString bounded(QString text)
{
    // Control and format characters (a bidi override among them) could make
    // the line show something else than what it says.
    text.removeIf([](QChar c) {
        return !c.isSpace() &&
               (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format);
    });
    text = text.simplified();
    if (text.size() <= serverMessageLimit)
        return text;
    qsizetype cut = serverMessageLimit - 1;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QChar(0x2026);
}

} // namespace

QString serverMessage(QByteArrayView body, QByteArrayView contentType)
{
    const QByteArray mediaType = contentType.toByteArray().split(';').front().trimmed().toLower();
    if (isXml(mediaType))
        return bounded(fromXml(body));
    if (mediaType == "text/plain")
        return bounded(QString::fromUtf8(body));
    return {};
}
