#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Plimsa developers
"""Another CalDAV client for the interoperability test: Debian's python3-caldav.

Usage: other_caldav_client.py URL USER PASSWORD LIST ACTION [UID [SUMMARY [DUE]]]
ACTION is create, rename, complete, delete or dump (JSON on stdout). A
created to-do is due at DUE (UTC, as 20260310T080000Z) when given, else at
9:00 on 10 March 2026 in Berlin.
"""
import json
import sys

import caldav

url, user, password, list_url, action = sys.argv[1:6]
args = sys.argv[6:]
calendar = caldav.DAVClient(url, username=user, password=password).calendar(url=list_url)


def vtodo(todo):
    return todo.icalendar_instance.walk("VTODO")[0]


if action == "create":
    uid, summary = args[:2]
    due = f"DUE:{args[2]}" if len(args) > 2 else "DUE;TZID=Europe/Berlin:20260310T090000"
    calendar.save_todo(
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other client//EN\r\n"
        "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"
        "BEGIN:STANDARD\r\nDTSTART:19701025T030000\r\nTZOFFSETFROM:+0200\r\n"
        "TZOFFSETTO:+0100\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:19700329T020000\r\nTZOFFSETFROM:+0100\r\n"
        "TZOFFSETTO:+0200\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\n"
        "END:VTIMEZONE\r\n"
        f"BEGIN:VTODO\r\nUID:{uid}\r\nDTSTAMP:20260301T120000Z\r\nSUMMARY:{summary}\r\n"
        f"{due}\r\nPRIORITY:1\r\n"
        "CATEGORIES:Errands\r\nDESCRIPTION:Written by the other client\r\n"
        "END:VTODO\r\nEND:VCALENDAR\r\n"
    )
elif action == "rename":
    uid, summary = args
    todo = calendar.object_by_uid(uid)
    component = vtodo(todo)
    del component["SUMMARY"]
    component.add("SUMMARY", summary)
    todo.save()
elif action == "complete":
    calendar.object_by_uid(args[0]).complete()
elif action == "delete":
    calendar.object_by_uid(args[0]).delete()
elif action == "dump":
    found = []
    for todo in calendar.todos(include_completed=True):
        component = vtodo(todo)
        categories = component.get("CATEGORIES")
        due = component.decoded("DUE")
        found.append({
            "uid": str(component["UID"]),
            "summary": str(component["SUMMARY"]),
            # A whole day's DUE is a date, which has no instant.
            "due": due.timestamp() if hasattr(due, "timestamp") else None,
            "priority": int(component.get("PRIORITY", 0)),
            "alarms": len(component.walk("VALARM")),
            "categories": [str(c) for c in categories.cats] if categories else [],
            "description": str(component.get("DESCRIPTION", "")),
            "status": str(component.get("STATUS", "")),
            "completed": component.decoded("COMPLETED").timestamp()
            if "COMPLETED" in component else None,
            "percent": int(component.get("PERCENT-COMPLETE", 0)),
        })
    print(json.dumps(sorted(found, key=lambda t: t["uid"])))
else:
    sys.exit(f"unknown action {action}")
