# Sources of the Sollwick module, shared by the native, x86_64 and i686 builds.
set(SOLLWICK_SOURCES
    ${CMAKE_SOURCE_DIR}/magneto/sollwick.cpp
    ${CMAKE_SOURCE_DIR}/magneto/magneto_lever.cpp
    ${CMAKE_SOURCE_DIR}/magneto/magneto_1.cpp
    ${CMAKE_SOURCE_DIR}/magneto/magneto_2.cpp
)
