// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "PendingRequestsFile.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::ordered_json;

struct IntegerMember {
    const char *key;
    int DateComponents::*field;
    int minimum;
    int maximum;
};

// The older form: the local minute, read in the zone in force when it is read.
constexpr IntegerMember dateMembers[] = {
    {"year", &DateComponents::year, -100000, 100000},
    {"month", &DateComponents::month, 1, 12},
    {"day", &DateComponents::day, 1, 31},
    {"hour", &DateComponents::hour, 0, 23},
    {"minute", &DateComponents::minute, 0, 59},
};

// About 100,000 years either way, as far as the older form reached.
constexpr double largestTime = 3.2e12;

std::optional<QString> stringMember(const Json &object, const char *key)
{
    const auto member = object.find(key);
    if (member == object.end() || !member->is_string())
        return std::nullopt;
    return QString::fromStdString(member->get_ref<const std::string &>());
}

std::optional<double> olderFormTime(const Json &object, const LocalCalendar &zone)
{
    DateComponents at;
    for (const IntegerMember &member : dateMembers) {
        const auto value = object.find(member.key);
        if (value == object.end() || !value->is_number_integer())
            return std::nullopt;
        const auto number = value->get<std::int64_t>();
        if (number < member.minimum || number > member.maximum)
            return std::nullopt;
        at.*member.field = static_cast<int>(number);
    }
    return zone.instant(at.year, at.month, at.day, at.hour, at.minute, 0);
}

std::optional<NotificationRequest> decodeRequest(const Json &object, const LocalCalendar &zone,
                                                 bool &olderForm)
{
    if (!object.is_object())
        return std::nullopt;
    NotificationRequest request;
    const auto identifier = stringMember(object, "identifier");
    const auto title = stringMember(object, "title");
    const auto body = stringMember(object, "body");
    const auto sound = object.find("sound");
    if (!identifier || !title || !body || sound == object.end() || !sound->is_boolean())
        return std::nullopt;
    request.identifier = *identifier;
    request.content = {*title, *body, sound->get<bool>()};
    const auto time = object.find("time");
    if (time == object.end()) {
        const auto older = olderFormTime(object, zone);
        if (!older)
            return std::nullopt;
        olderForm = true;
        request.trigger.time = *older;
        return request;
    }
    if (!time->is_number() || !isStorableTime(time->get<double>()))
        return std::nullopt;
    request.trigger.time = time->get<double>();
    return request;
}

} // namespace

bool isStorableTime(double time)
{
    return std::isfinite(time) && std::abs(time) <= largestTime;
}

QByteArray encodePendingRequests(const std::vector<NotificationRequest> &requests)
{
    Json array = Json::array();
    for (const NotificationRequest &request : requests) {
        Json object = {
            {"identifier", request.identifier.toStdString()},
            {"title", request.content.title.toStdString()},
            {"body", request.content.body.toStdString()},
            {"sound", request.content.defaultSound},
            {"time", request.trigger.time},
        };
        array.push_back(std::move(object));
    }
    return QByteArray::fromStdString(array.dump(-1, ' ', false, Json::error_handler_t::replace));
}

std::optional<std::vector<NotificationRequest>>
decodePendingRequests(const QByteArray &json, const LocalCalendar &zone, bool *olderForm)
{
    bool anyOlder = false;
    if (json.contains('\0'))
        return std::nullopt;
    const Json document = Json::parse(json.begin(), json.end(), nullptr, false);
    if (!document.is_array())
        return std::nullopt;
    std::vector<NotificationRequest> requests;
    requests.reserve(document.size());
    for (const Json &element : document) {
        auto request = decodeRequest(element, zone, anyOlder);
        if (!request)
            return std::nullopt;
        requests.push_back(std::move(*request));
    }
    if (olderForm)
        *olderForm = anyOlder;
    return requests;
}

PendingRequestsFile::PendingRequestsFile(QString path) : m_file(std::move(path)) {}

std::optional<std::vector<NotificationRequest>> PendingRequestsFile::read(const LocalCalendar &zone)
{
    const std::optional<QByteArray> bytes = m_file.read();
    if (!bytes)
        return std::nullopt;
    bool olderForm = false;
    auto requests = decodePendingRequests(*bytes, zone, &olderForm);
    if (!requests)
        m_file.keepUnreadable(*bytes);
    // Fixed now as instants, so a later change of zone cannot move them.
    else if (olderForm)
        write(*requests);
    return requests;
}

bool PendingRequestsFile::write(const std::vector<NotificationRequest> &requests)
{
    return m_file.write(encodePendingRequests(requests));
}
