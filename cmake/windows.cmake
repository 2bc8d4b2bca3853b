# Windows PE builds (cross-compiled with mingw-w64): the deliverable i686 modules,
# and on x86_64 also the host and the Windows tests run under wine.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I ${ART_DIR} -I ${CMAKE_SOURCE_DIR}/resources")
# The resource scripts compile in the files art-gen wrote into ART_DIR (the
# native build's module directory): compile them again whenever art-gen ran.
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/korvane.rc
    ${CMAKE_SOURCE_DIR}/resources/sollwick.rc PROPERTIES OBJECT_DEPENDS ${ART_DIR}/art.stamp)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    # SSE2 floating point on the deliverable.
    add_compile_options(-msse2 -mfpmath=sse)
endif()

function(add_gauge_module name)
    cmake_parse_arguments(ARG "" "DEF;RC" "SOURCES" ${ARGN})
    add_library(${name} SHARED ${ARG_SOURCES} ${ARG_DEF} ${ARG_RC})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".gau"
        RUNTIME_OUTPUT_DIRECTORY ${MODULE_DIR} LIBRARY_OUTPUT_DIRECTORY ${MODULE_DIR})
    # No compiler runtime DLLs: everything static, exports only from the .def file.
    target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++
        -Wl,--enable-stdcall-fixup)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
endfunction()

add_gauge_module(Korvane SOURCES ${KORVANE_SOURCES}
    DEF ${CMAKE_SOURCE_DIR}/module/korvane.def RC ${CMAKE_SOURCE_DIR}/resources/korvane.rc)
target_link_libraries(Korvane PRIVATE winmm dsound_ordinal)  # dsound_ordinal: windows_extra.cmake

include(${CMAKE_SOURCE_DIR}/magneto/sollwick_sources.cmake)
add_gauge_module(Sollwick SOURCES ${SOLLWICK_SOURCES}
    DEF ${CMAKE_SOURCE_DIR}/magneto/sollwick.def RC ${CMAKE_SOURCE_DIR}/resources/sollwick.rc)

if(EXISTS ${CMAKE_SOURCE_DIR}/cmake/windows_extra.cmake)
    include(cmake/windows_extra.cmake)
endif()
