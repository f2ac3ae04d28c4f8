# What a desktop needs to offer the window: its menu entry, icon and
# AppStream metadata, and the manual pages. A system-wide install (the
# Debian package) also gets the copyright file and changelog Debian expects,
# and compressed manual pages.
set(PELN_APP_ID org.peln.Peln)
install(FILES data/${PELN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${PELN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/icons/${PELN_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 64 128 256)
    install(FILES data/icons/${PELN_APP_ID}-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${PELN_APP_ID}.png)
endforeach()

set(manual_pages doc/peln.1 doc/peln-cli.1)
if(NOT PELN_SYSTEM_INSTALL)
    install(FILES ${manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    return()
endif()

# Compressed as Debian's policy wants them: gzip -9n, so that the same
# sources give the same bytes.
find_program(GZIP gzip REQUIRED)
set(compressed)
foreach(source ${manual_pages} packaging/changelog)
    get_filename_component(name ${source} NAME)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/packaging/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/packaging
        COMMAND ${GZIP} -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/${source} > ${output}
        DEPENDS ${source} VERBATIM)
    list(APPEND compressed ${output})
endforeach()
add_custom_target(compressed_documents ALL DEPENDS ${compressed})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/peln.1.gz
    ${CMAKE_CURRENT_BINARY_DIR}/packaging/peln-cli.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/peln RENAME changelog.Debian.gz)
install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/peln)
