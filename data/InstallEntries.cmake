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

# A path as one argument of an Exec line: quoted when it holds a character
# that the desktop entry and D-Bus service formats would otherwise split on.
function(plimsa_exec_argument out path)
    if(path MATCHES "[ \t\"'\\\\><~|&;$*?#()`]")
        string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" path "${path}")
        set(path "\"${path}\"")
    endif()
    string(REPLACE "%" "%%" path "${path}")
    set(${out} "${path}" PARENT_SCOPE)
endfunction()

plimsa_under_prefix(bindir "${PLIMSA_BINDIR}")
plimsa_under_prefix(datadir "${PLIMSA_DATADIR}")
plimsa_under_prefix(autostartdir "${PLIMSA_AUTOSTART_DIR}")
set(PLIMSA_APP_PATH "${bindir}/plimsa")
set(PLIMSA_REMINDERS_PATH "${bindir}/plimsa-reminders")
plimsa_exec_argument(PLIMSA_APP_EXEC "${PLIMSA_APP_PATH}")
plimsa_exec_argument(PLIMSA_REMINDERS_EXEC "${PLIMSA_REMINDERS_PATH}")

foreach(entry org.plimsa.Plimsa.desktop org.plimsa.Reminders.service org.plimsa.Reminders.desktop)
    configure_file("${PLIMSA_DATA_SOURCE}/${entry}.in" "${PLIMSA_STAGING}/${entry}" @ONLY)
endforeach()
file(INSTALL "${PLIMSA_STAGING}/org.plimsa.Plimsa.desktop"
     DESTINATION "${datadir}/applications")
file(INSTALL "${PLIMSA_STAGING}/org.plimsa.Reminders.service"
     DESTINATION "${datadir}/dbus-1/services")
file(INSTALL "${PLIMSA_STAGING}/org.plimsa.Reminders.desktop" DESTINATION "${autostartdir}")
