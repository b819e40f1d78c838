# Shared helpers of the station's CMake files.

# KIVO_PCH precompiles the most used headers (cmake/KivoPrecompiled.h) once per target with
# enough sources to repay it. Off by default, so a developer's build still finds a missing
# include; CI's cold builds turn it on, which saves a good part of their compile time.
option(KIVO_PCH "Precompile the most used Qt and standard headers" OFF)
set(KIVO_PCH_MIN_SOURCES 5)

# kivo_precompile(NAME SOURCES ... [HEADERS ...]): HEADERS are precompiled besides the common ones.
function(kivo_precompile name)
    cmake_parse_arguments(P "" "" "SOURCES;HEADERS" ${ARGN})
    if(NOT KIVO_PCH)
        return()
    endif()
    list(FILTER P_SOURCES INCLUDE REGEX "\\.cpp$")
    list(LENGTH P_SOURCES _count)
    if(_count GREATER_EQUAL KIVO_PCH_MIN_SOURCES)
        target_precompile_headers(${name} PRIVATE "${CMAKE_SOURCE_DIR}/cmake/KivoPrecompiled.h"
                                  ${P_HEADERS})
    endif()
endfunction()

# kivo_library(NAME FOLDER LIBS...): a library target from every .cpp of FOLDER (not its
# subfolders), public include root at src/.
function(kivo_library name folder)
    file(GLOB _sources CONFIGURE_DEPENDS "${folder}/*.cpp" "${folder}/*.h")
    add_library(${name} STATIC ${_sources})
    target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
    target_link_libraries(${name} PUBLIC ${ARGN})
    kivo_precompile(${name} SOURCES ${_sources})
endfunction()

# kivo_test(NAME SOURCES... LIBS ...): one GoogleTest program run by CTest. Tests run with the
# offscreen platform, in their own KIVO_ROOT made by the test itself, with the source tree's
# resources (the test main sets KIVO_RESOURCES when it is unset).
function(kivo_test name)
    cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;PROPERTIES" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} kivo_testsupport GTest::gtest)
    kivo_precompile(${name} SOURCES ${T_SOURCES} HEADERS <gtest/gtest.h>)
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                   TIMEOUT ${T_TIMEOUT} ${T_PROPERTIES})
endfunction()
