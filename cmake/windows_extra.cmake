# Windows additions: DirectSound imported by ordinal, and on x86_64 the host and
# the Windows test driver that run under wine64.

# DirectSoundCreate is DSOUND.dll's ordinal 1, and the module imports it by that
# ordinal; mingw's own import library would import it by name.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    set(KORVANE_DSOUND_CREATE "DirectSoundCreate@12")  # __stdcall, three arguments
else()
    set(KORVANE_DSOUND_CREATE "DirectSoundCreate")
endif()
if(NOT CMAKE_DLLTOOL)
    find_program(CMAKE_DLLTOOL NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-dlltool REQUIRED)
endif()
set(KORVANE_DSOUND_DEF ${CMAKE_BINARY_DIR}/dsound_ordinal.def)
set(KORVANE_DSOUND_LIB ${CMAKE_BINARY_DIR}/libdsound_ordinal.a)
file(CONFIGURE OUTPUT ${KORVANE_DSOUND_DEF}
    CONTENT "LIBRARY DSOUND.dll\nEXPORTS\n    ${KORVANE_DSOUND_CREATE} @1 NONAME\n")
add_custom_command(OUTPUT ${KORVANE_DSOUND_LIB}
    COMMAND ${CMAKE_DLLTOOL} -d ${KORVANE_DSOUND_DEF} -l ${KORVANE_DSOUND_LIB}
    DEPENDS ${KORVANE_DSOUND_DEF}
    COMMENT "DSOUND.dll import library by ordinal")
add_custom_target(dsound_ordinal_import DEPENDS ${KORVANE_DSOUND_LIB})
add_library(dsound_ordinal STATIC IMPORTED GLOBAL)
set_target_properties(dsound_ordinal PROPERTIES IMPORTED_LOCATION ${KORVANE_DSOUND_LIB})
add_dependencies(dsound_ordinal dsound_ordinal_import)

# The host and the Windows test driver, run under wine64 by the Windows tests
# (x86_64 only: 32-bit programs cannot run on the test machines). Statically
# linked, so that no compiler runtime DLL has to be found beside them.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    add_subdirectory(host)
    target_link_options(panel-host PRIVATE -static -static-libgcc -static-libstdc++)
    add_subdirectory(tests/win)
endif()
