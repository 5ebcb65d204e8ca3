// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "Multistatus.h"

#include <QXmlStreamReader>

namespace {

const QString dav = QStringLiteral("DAV:");
const QString caldav = QStringLiteral("urn:ietf:params:xml:ns:caldav");

bool is(const QXmlStreamReader &reader, const QString &ns, QLatin1StringView name)
{
    return reader.namespaceUri() == ns && reader.name() == name;
}

// The properties of one propstat, kept until its status is known (servers
// write the status before or after the properties).
struct PropStat {
    DavResponse props;
    int status = 0;
};

void apply(const PropStat &found, DavResponse &response)
{
    if (found.status < 200 || found.status > 299)
        return;
    const DavResponse &p = found.props;
    if (!p.etag.isEmpty())
        response.etag = p.etag;
    if (!p.calendarData.isEmpty())
        response.calendarData = p.calendarData;
    if (!p.principal.isEmpty())
        response.principal = p.principal;
    if (!p.calendarHome.isEmpty())
        response.calendarHome = p.calendarHome;
    response.isCalendar = response.isCalendar || p.isCalendar;
    response.components += p.components;
    if (!p.displayName.isEmpty())
        response.displayName = p.displayName;
    if (!p.syncToken.isEmpty())
        response.syncToken = p.syncToken;
    if (!p.contentType.isEmpty())
        response.contentType = p.contentType;
    if (p.privileges)
        response.privileges = p.privileges;
}

class Reader {
public:
    // Shares the answer's bytes: a long list's answer is not copied.
    explicit Reader(const QByteArray &xml) : m_xml(xml) {}

    std::optional<Multistatus> read()
    {
        Multistatus result;
        if (!readUntilEnd(result))
            return std::nullopt;
        while (next()) {
        }
        if (m_failed || m_xml.hasError())
            return std::nullopt;
        return result;
    }

    CutMultistatus readCut()
    {
        Multistatus result;
        if (!readUntilEnd(result))
            return {};
        const bool cut = m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError;
        if (m_failed || (m_xml.hasError() && !cut))
            return {};
        return {std::move(result.responses), cut};
    }

private:
    // The responses that end before the document does or breaks off; false
    // for what is no multistatus.
    bool readUntilEnd(Multistatus &result)
    {
        if (!next() || !m_xml.isStartElement() || !is(m_xml, dav, QLatin1StringView("multistatus")))
            return false;
        while (next()) {
            if (m_xml.isEndElement())
                break;
            if (!m_xml.isStartElement())
                continue;
            if (is(m_xml, dav, QLatin1StringView("response"))) {
                DavResponse whole = response();
                if (m_failed || m_xml.hasError())
                    break;
                result.responses.push_back(std::move(whole));
            } else if (is(m_xml, dav, QLatin1StringView("sync-token"))) {
                result.syncToken = text();
            } else {
                m_xml.skipCurrentElement();
            }
        }
        return true;
    }

    // The next token that matters; false at the end or on anything refused.
    bool next()
    {
        while (!m_xml.atEnd()) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::DTD:
            case QXmlStreamReader::EntityReference:
                m_failed = true;
                return false;
            case QXmlStreamReader::StartElement:
            case QXmlStreamReader::EndElement:
                return true;
            default:
                break;
            }
        }
        return false;
    }

    QString text()
    {
        const QString value = m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
        return value.trimmed();
    }

    DavResponse response()
    {
        DavResponse result;
        while (next() && !m_xml.isEndElement()) {
            if (is(m_xml, dav, QLatin1StringView("href")))
                result.href = text();
            else if (is(m_xml, dav, QLatin1StringView("status")))
                result.status = statusFromLine(text());
            else if (is(m_xml, dav, QLatin1StringView("propstat")))
                apply(propStat(), result);
            else
                m_xml.skipCurrentElement();
        }
        return result;
    }

    PropStat propStat()
    {
        PropStat result;
        while (next() && !m_xml.isEndElement()) {
            if (is(m_xml, dav, QLatin1StringView("status")))
                result.status = statusFromLine(text());
            else if (is(m_xml, dav, QLatin1StringView("prop")))
                properties(result.props);
            else
                m_xml.skipCurrentElement();
        }
        return result;
    }

    void properties(DavResponse &props)
    {
        while (next() && !m_xml.isEndElement()) {
            if (is(m_xml, dav, QLatin1StringView("getetag"))) {
                props.etag = text();
            } else if (is(m_xml, caldav, QLatin1StringView("calendar-data"))) {
                props.calendarData = m_xml.readElementText().toUtf8();
            } else if (is(m_xml, dav, QLatin1StringView("current-user-principal"))) {
                props.principal = innerHref();
            } else if (is(m_xml, caldav, QLatin1StringView("calendar-home-set"))) {
                props.calendarHome = innerHref();
            } else if (is(m_xml, dav, QLatin1StringView("displayname"))) {
                props.displayName = text();
            } else if (is(m_xml, dav, QLatin1StringView("sync-token"))) {
                props.syncToken = text();
            } else if (is(m_xml, dav, QLatin1StringView("getcontenttype"))) {
                props.contentType = text();
            } else if (is(m_xml, dav, QLatin1StringView("current-user-privilege-set"))) {
                props.privileges = privileges();
            } else if (is(m_xml, dav, QLatin1StringView("resourcetype"))) {
                while (next() && !m_xml.isEndElement()) {
                    props.isCalendar =
                        props.isCalendar || is(m_xml, caldav, QLatin1StringView("calendar"));
                    m_xml.skipCurrentElement();
                }
            } else if (is(m_xml, caldav, QLatin1StringView("supported-calendar-component-set"))) {
                while (next() && !m_xml.isEndElement()) {
                    if (is(m_xml, caldav, QLatin1StringView("comp")))
                        props.components += m_xml.attributes()
                                                .value(QLatin1StringView("name"))
                                                .toString()
                                                .toUpper();
                    m_xml.skipCurrentElement();
                }
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    QStringList privileges()
    {
        QStringList names;
        while (next() && !m_xml.isEndElement()) {
            if (!is(m_xml, dav, QLatin1StringView("privilege"))) {
                m_xml.skipCurrentElement();
                continue;
            }
            while (next() && !m_xml.isEndElement()) {
                if (m_xml.namespaceUri() == dav)
                    names += m_xml.name().toString();
                m_xml.skipCurrentElement();
            }
        }
        return names;
    }

    QString innerHref()
    {
        QString href;
        while (next() && !m_xml.isEndElement()) {
            if (is(m_xml, dav, QLatin1StringView("href")) && href.isEmpty())
                href = text();
            else
                m_xml.skipCurrentElement();
        }
        return href;
    }

    QXmlStreamReader m_xml;
    bool m_failed = false;
};

} // namespace

std::optional<Multistatus> readMultistatus(const QByteArray &xml)
{
    return Reader(xml).read();
}

CutMultistatus readCutMultistatus(const QByteArray &xml)
{
    return Reader(xml).readCut();
}

int statusFromLine(QStringView line)
{
    const auto parts = line.trimmed().split(u' ', Qt::SkipEmptyParts);
    if (parts.size() < 2 || !parts[0].startsWith(u"HTTP/"))
        return 0;
    bool ok = false;
    const int status = parts[1].toInt(&ok);
    return ok && status >= 100 && status <= 599 ? status : 0;
}
