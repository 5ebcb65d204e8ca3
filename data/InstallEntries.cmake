# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Plimsa developers

# Runs at install time (see CMakeLists.txt), with CMAKE_INSTALL_PREFIX as given
# to the install.

function(plimsa_under_prefix out path)
    if(IS_ABSOLUTE "${path}")
        set(${out} "${path}" PARENT_SCOPE)
    else()
        set(${out} "${CMAKE_INSTALL_PREFIX}/${path}" PARENT_SCOPE)
    endif()
endfunction()

# A desktop entry string value: backslashes doubled, as systemd's
# xdg-autostart-generator (GNOME and Plasma sessions) requires.
function(plimsa_entry_value out value)
    string(REPLACE "\\" "\\\\" value "${value}")
    string(REPLACE "\n" "\\n" value "${value}")
    string(REPLACE "\t" "\\t" value "${value}")
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

# A path as the Exec line of a desktop entry: quoted when it holds a character
# the format would otherwise split on, then written as a string value.
function(plimsa_exec_argument out path)
    if(path MATCHES "[ \t\"'\\\\><~|&;$*?#()`]")
        string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" path "${path}")
        set(path "\"${path}\"")
    endif()
    string(REPLACE "%" "%%" path "${path}")
    plimsa_entry_value(path "${path}")
    set(${out} "${path}" PARENT_SCOPE)
endfunction()

# A path as the Exec line of a D-Bus service file: dbus-daemon has no field
# codes and refuses an escape such as \$, so the path goes in single quotes; a
# quote of its own closes and reopens them, a backslash is doubled for the
# file's reader.
function(plimsa_service_exec out path)
    string(REPLACE "\\" "\\\\" path "${path}")
    string(REPLACE "'" "'\"'\"'" path "${path}")
    set(${out} "'${path}'" PARENT_SCOPE)
endfunction()

plimsa_under_prefix(bindir "${PLIMSA_BINDIR}")
plimsa_under_prefix(datadir "${PLIMSA_DATADIR}")
plimsa_under_prefix(autostartdir "${PLIMSA_AUTOSTART_DIR}")
set(PLIMSA_APP_PATH "${bindir}/plimsa")
set(PLIMSA_REMINDERS_PATH "${bindir}/plimsa-reminders")
plimsa_exec_argument(PLIMSA_APP_EXEC "${PLIMSA_APP_PATH}")
plimsa_exec_argument(PLIMSA_REMINDERS_EXEC "${PLIMSA_REMINDERS_PATH}")
plimsa_entry_value(PLIMSA_APP_TRYEXEC "${PLIMSA_APP_PATH}")
plimsa_entry_value(PLIMSA_REMINDERS_TRYEXEC "${PLIMSA_REMINDERS_PATH}")
plimsa_service_exec(PLIMSA_REMINDERS_SERVICE_EXEC "${PLIMSA_REMINDERS_PATH}")

foreach(entry org.plimsa.Plimsa.desktop org.plimsa.Reminders.service org.plimsa.Reminders.desktop)
    configure_file("${PLIMSA_DATA_SOURCE}/${entry}.in" "${PLIMSA_STAGING}/${entry}" @ONLY)
endforeach()
file(INSTALL "${PLIMSA_STAGING}/org.plimsa.Plimsa.desktop"
     DESTINATION "${datadir}/applications")
file(INSTALL "${PLIMSA_STAGING}/org.plimsa.Reminders.service"
     DESTINATION "${datadir}/dbus-1/services")
file(INSTALL "${PLIMSA_STAGING}/org.plimsa.Reminders.desktop" DESTINATION "${autostartdir}")
