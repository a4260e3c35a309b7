# Install rules and the Debian package; included by the top-level CMakeLists.txt once the Quillet
# target exists.
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS Quillet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Desktop integration on freedesktop systems: launcher entry, themed icons, AppStream data, and
# the manual page and package documents Debian expects.
if(UNIX AND NOT APPLE)
    set(app_id io.github.brenmoor.Quillet)
    set(here ${CMAKE_CURRENT_LIST_DIR})
    install(FILES ${here}/linux/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${here}/linux/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size 16 32 48 64 128 256)
        install(FILES ${here}/icons/quillet-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${app_id}.png)
    endforeach()
    install(FILES ${here}/icons/quillet.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${app_id}.svg)

    # Compressed as Debian wants them: best compression, no name or time stamp inside.
    set(docs ${CMAKE_BINARY_DIR}/packaging/docs)
    file(MAKE_DIRECTORY ${docs})
    foreach(doc Quillet.1 changelog)
        execute_process(COMMAND gzip -9nc INPUT_FILE ${here}/linux/${doc} OUTPUT_FILE ${docs}/${doc}.gz
                        COMMAND_ERROR_IS_FATAL ANY)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${here}/linux/${doc})
    endforeach()
    install(FILES ${docs}/Quillet.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${docs}/changelog.gz ${here}/linux/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/brenmoor)

    # Packing takes what has been built: without this, cpack would first build the whole tree,
    # tests and tools included, through the install target.
    set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGE_NAME brenmoor)
    set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
    set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
    set(CPACK_STRIP_FILES ON)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Brenmoor maintainers <brenmoor@users.noreply.github.com>")
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_PACKAGE_DESCRIPTION "date calculator for day offsets and day counts
日期推算与天数计算 (date offsets and day counts).

Brenmoor answers two questions: which date lies a given number of days after
or before a chosen date, and how many days lie between two chosen dates. Dates
are picked in a month panel; the last eight results are kept and can be copied
to the clipboard with a click. The window is in Simplified Chinese.")
    # Libraries from the binary itself; the rest is what it needs without linking it: the CJK fonts
    # of its Song (宋体) and Hei faces, and Qt's translations for the message box buttons.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, fonts-wqy-zenhei, qt6-translations-l10n")
    include(CPack)
endif()
