# The packages (TAVIX_PACKAGE=ON, then cpack):
# - Debian (tools/package.sh): the three programs stripped, their manual
#   pages made from their --help by help2man, the desktop entry, the record
#   file type and its icon, and the shipped config.ini and welcome picture
#   under /usr/share/tavix. The libraries it needs are found by
#   dpkg-shlibdeps from the programs themselves.
# - Windows (.github/workflows/windows.yml): an NSIS installer (silent with
#   /S) holding the programs with the Qt libraries windeployqt puts beside
#   them, and share/tavix.
include(GNUInstallDirs)

if(WIN32)
    find_program(WINDEPLOYQT_PROGRAM windeployqt HINTS ${Qt6_DIR}/../../../bin REQUIRED)
    install(CODE "execute_process(COMMAND \"${WINDEPLOYQT_PROGRAM}\" --no-translations
        \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tavix.exe\"
        \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tavix-cli.exe\"
        COMMAND_ERROR_IS_FATAL ANY)")
    set(CPACK_GENERATOR NSIS)
    set(CPACK_PACKAGE_INSTALL_DIRECTORY Tavix)
    set(CPACK_NSIS_DISPLAY_NAME Tavix)
    set(CPACK_NSIS_MODIFY_PATH OFF)
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
    set(CPACK_PACKAGE_EXECUTABLES tavix Tavix)
endif()

if(NOT WIN32)

set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/tavix)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${doc_dir})

# Debian wants the changelog of a native package (no Debian revision) as
# changelog.gz, compressed, without a time stamp in the gzip header.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(changelog_gz ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/changelog
            ${CMAKE_BINARY_DIR}/packaging/changelog
    COMMAND ${GZIP_PROGRAM} -9nf ${CMAKE_BINARY_DIR}/packaging/changelog
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog VERBATIM)

# Manual pages from each program's own --help, so they never disagree with it.
find_program(HELP2MAN_PROGRAM help2man)
set(man_pages ${changelog_gz})
if(HELP2MAN_PROGRAM)
    foreach(program tavix tavix-cli tavix-devsim)
        set(page ${CMAKE_BINARY_DIR}/packaging/${program}.1.gz)
        add_custom_command(OUTPUT ${page}
            COMMAND ${HELP2MAN_PROGRAM} --no-info --no-discard-stderr
                    --version-string=${PROJECT_VERSION} --section=1
                    --name=${program}
                    --output=${CMAKE_BINARY_DIR}/packaging/${program}.1
                    $<TARGET_FILE:${program}>
            COMMAND ${GZIP_PROGRAM} -9nf ${CMAKE_BINARY_DIR}/packaging/${program}.1
            DEPENDS ${program} VERBATIM)
        list(APPEND man_pages ${page})
        install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endforeach()
endif()
# tavix-launch is a script with no --help: its page is written by hand.
set(launch_page ${CMAKE_BINARY_DIR}/packaging/tavix-launch.1.gz)
add_custom_command(OUTPUT ${launch_page}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/tavix-launch.1
            ${CMAKE_BINARY_DIR}/packaging/tavix-launch.1
    COMMAND ${GZIP_PROGRAM} -9nf ${CMAKE_BINARY_DIR}/packaging/tavix-launch.1
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/tavix-launch.1 VERBATIM)
list(APPEND man_pages ${launch_page})
install(FILES ${launch_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
add_custom_target(package_docs ALL DEPENDS ${man_pages})
install(FILES ${changelog_gz} DESTINATION ${doc_dir})
endif()

set(CPACK_PACKAGE_NAME tavix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Tavix developers <maintainers@users.noreply.c-seed-69d29462.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "host for brushless RC ESCs and their flight data logger")
# One string (a CMake list would lose its semicolons); lines under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION "Tavix programs brushless electronic speed controllers (ESCs) for
radio-controlled models, configures their flight data logger, uploads its
records and shows them as curves, and upgrades the ESC's firmware. tavix-cli
does every job from a terminal; tavix-devsim simulates a device on a
pseudo-terminal.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
if(NOT WIN32)
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # The window needs Qt's platform plugins, which no program links directly;
    # the Chinese fonts show the texts of the device and its records.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei")
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
    set(CPACK_STRIP_FILES ON)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
include(CPack)
