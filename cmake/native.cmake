# Native Linux build: the modules as shared libraries for the stand-in host, the
# host, the art generator and every unit test, all under ASan and UBSan.
option(SANITIZE "build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
if(SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

find_package(PkgConfig REQUIRED)
find_package(GTest REQUIRED)
enable_testing()

if(EXISTS ${CMAKE_SOURCE_DIR}/platform/CMakeLists.txt)
    add_subdirectory(platform)
endif()

add_library(Korvane MODULE ${KORVANE_SOURCES})
target_include_directories(Korvane PRIVATE ${CMAKE_SOURCE_DIR})
set_target_properties(Korvane PROPERTIES PREFIX "" SUFFIX ".so"
    LIBRARY_OUTPUT_DIRECTORY ${MODULE_DIR}
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
if(TARGET platform)
    target_link_libraries(Korvane PRIVATE platform)
endif()

# The object files of the module, for tests that call module code directly.
add_library(korvane_objects STATIC ${KORVANE_SOURCES})
target_include_directories(korvane_objects PUBLIC ${CMAKE_SOURCE_DIR})
if(TARGET platform)
    target_link_libraries(korvane_objects PUBLIC platform)
endif()

add_subdirectory(host)
foreach(dir art magneto tests bench)
    if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
        add_subdirectory(${dir})
    endif()
endforeach()
