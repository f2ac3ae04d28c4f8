# What Windows shows of the two programs: their icon and version
# information, compiled in by the resource compiler. The icon is packed from
# the PNG images of the desktop icon.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(icon_images)
foreach(size 48 64 128 256)
    list(APPEND icon_images ${PROJECT_SOURCE_DIR}/data/icons/org.peln.Peln-${size}.png)
endforeach()
set(PELN_ICON ${CMAKE_CURRENT_BINARY_DIR}/packaging/peln.ico)
add_custom_command(OUTPUT ${PELN_ICON}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/packaging
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/packaging/windows/make-icon.py
        ${PELN_ICON} ${icon_images}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/windows/make-icon.py ${icon_images}
    VERBATIM)
add_custom_target(windows_icon DEPENDS ${PELN_ICON})

foreach(target peln peln-cli)
    set(PELN_EXE_NAME ${target})
    if(target STREQUAL "peln")
        set(PELN_EXE_DESCRIPTION "PELN: a coffee brewer's settings")
    else()
        set(PELN_EXE_DESCRIPTION "PELN from a terminal: a coffee brewer's settings")
    endif()
    set(resources ${CMAKE_CURRENT_BINARY_DIR}/packaging/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/peln.rc.in ${resources} @ONLY)
    set_source_files_properties(${resources} PROPERTIES OBJECT_DEPENDS ${PELN_ICON})
    target_sources(${target} PRIVATE ${resources})
    add_dependencies(${target} windows_icon)
endforeach()
