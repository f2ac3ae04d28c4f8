# The program's texts in other languages: translations/peln_<language>.ts,
# compiled by Qt's lrelease (a program of the build machine, also when
# building for Windows) and built into the operations library, which both
# front ends link.
set(PELN_LANGUAGES de)
# The catalogues' sources, found from here: the fuzz project includes this
# too, with a project folder of its own.
get_filename_component(PELN_TRANSLATIONS ${CMAKE_CURRENT_LIST_DIR}/../translations ABSOLUTE)

find_program(PELN_LRELEASE NAMES lrelease-qt6 lrelease
    HINTS /usr/lib/qt6/bin /usr/lib/qt6/libexec
    NO_CMAKE_FIND_ROOT_PATH REQUIRED)

# peln_add_translations(<target>): builds the catalogues into <target> as
# :/translations/peln_<language>.qm.
function(peln_add_translations target)
    set(catalogues)
    foreach(language ${PELN_LANGUAGES})
        set(source ${PELN_TRANSLATIONS}/peln_${language}.ts)
        set(catalogue ${CMAKE_CURRENT_BINARY_DIR}/translations/peln_${language}.qm)
        add_custom_command(OUTPUT ${catalogue}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/translations
            COMMAND ${PELN_LRELEASE} -silent ${source} -qm ${catalogue}
            DEPENDS ${source} VERBATIM)
        list(APPEND catalogues ${catalogue})
    endforeach()
    qt_add_resources(${target} translations PREFIX /translations
        BASE ${CMAKE_CURRENT_BINARY_DIR}/translations FILES ${catalogues})
endfunction()
