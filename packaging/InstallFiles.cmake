# Run by cmake --install with ROVANA_DIR (the program directory), ROVANA_DESTDIR and
# ROVANA_SOURCE set: writes the desktop entry and the user unit with the real paths, and
# a Rovana.ini only where there is none yet, for it holds the driver's settings.
set(ROVANA_BIN "${ROVANA_DIR}/rovana")
set(root "${ROVANA_DESTDIR}${CMAKE_INSTALL_PREFIX}")

set(ini "${ROVANA_DESTDIR}${ROVANA_DIR}/Rovana.ini")
if(EXISTS "${ini}")
    message(STATUS "Keeping: ${ini}")
else()
    message(STATUS "Installing: ${ini}")
    configure_file("${ROVANA_SOURCE}/Rovana.ini.example" "${ini}" COPYONLY)
endif()

foreach(pair "rovana.desktop.in;share/applications/rovana.desktop"
             "rovana.service.in;share/systemd/user/rovana.service")
    list(GET pair 0 template)
    list(GET pair 1 target)
    message(STATUS "Installing: ${root}/${target}")
    configure_file("${ROVANA_SOURCE}/${template}" "${root}/${target}" @ONLY)
endforeach()
