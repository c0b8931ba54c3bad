# One interface target carries the language standard, warnings and Qt macros
# for every target of the project.
add_library(project_options INTERFACE)
target_compile_features(project_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(project_options INTERFACE -Wall -Wextra)
# Warnings stop the build in scripts/test and CI; a builder with another compiler is not held up.
option(COTACAO_WERROR "Treat compiler warnings as errors" OFF)
if(COTACAO_WERROR)
    target_compile_options(project_options INTERFACE -Werror)
endif()
target_compile_definitions(project_options INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING
    QT_USE_QSTRINGBUILDER
    QT_STRICT_ITERATORS
    QT_NO_KEYWORDS)

option(COTACAO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(COTACAO_SANITIZE)
    target_compile_options(project_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(project_options INTERFACE -fsanitize=address,undefined)
endif()

# Windows' DbgHelp reads no GCC debug information: the routines' names of an error report's
# call stack come from the export table, so every executable exports its functions. Wine's
# DbgHelp does read DWARF, up to version 4 (GCC 12 writes 5): the tests run there get the
# lines too.
if(WIN32)
    target_compile_options(project_options INTERFACE -gdwarf-4)
    target_link_options(project_options INTERFACE -Wl,--export-all-symbols)
endif()
