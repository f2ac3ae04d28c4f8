# The compiler's warnings for every target of ours (peln_warnings), errors
# with PELN_WERROR=ON, and the sanitizers, shared by the program's build and
# the fuzz targets' own project.
option(PELN_WERROR "Treat compiler warnings as errors" OFF)
add_library(peln_warnings INTERFACE)
target_compile_options(peln_warnings INTERFACE -Wall -Wextra -Wpedantic
    $<$<BOOL:${PELN_WERROR}>:-Werror>)

# AddressSanitizer and UndefinedBehaviorSanitizer, stopping at the first
# report: for every target from here on, when called.
macro(peln_sanitize)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endmacro()
