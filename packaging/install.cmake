# Install rules; included by the top-level CMakeLists.txt once the Quillet target exists.
include(GNUInstallDirs)

install(TARGETS Quillet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Desktop integration on freedesktop systems: launcher entry, themed icons, AppStream data.
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
endif()
