# Shared helpers of the station's CMake files.

# kivo_library(NAME FOLDER LIBS...): a library target from every .cpp of FOLDER (not its
# subfolders), public include root at src/.
function(kivo_library name folder)
    file(GLOB _sources CONFIGURE_DEPENDS "${folder}/*.cpp" "${folder}/*.h")
    add_library(${name} STATIC ${_sources})
    target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
    target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()

# kivo_test(NAME SOURCES... LIBS ...): one GoogleTest program run by CTest. Tests run with the
# offscreen platform, in their own KIVO_ROOT made by the test itself, with the source tree's
# resources (the test main sets KIVO_RESOURCES when it is unset).
function(kivo_test name)
    cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;PROPERTIES" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} kivo_testsupport GTest::gtest)
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                   TIMEOUT ${T_TIMEOUT} ${T_PROPERTIES})
endfunction()
