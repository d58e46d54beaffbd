# Test plumbing shared by every folder.
#
# Host build: Debian's packaged GoogleTest, one ctest entry per test case.
# Cross build: GoogleTest compiled from Debian's sources, one ctest entry per test
# executable (each Wine start costs time), run through CMAKE_CROSSCOMPILING_EMULATOR.

if(CMAKE_CROSSCOMPILING)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    foreach(lib gtest gtest_main gmock)
        if(NOT TARGET GTest::${lib})
            add_library(GTest::${lib} ALIAS ${lib})
        endif()
    endforeach()
else()
    find_package(GTest REQUIRED)
    include(GoogleTest)
endif()

# suite_add_gtest(<target> <sources...>): a GoogleTest executable registered with ctest.
function(suite_add_gtest target)
    add_executable(${target} ${ARGN})
    target_link_libraries(${target} PRIVATE GTest::gtest_main GTest::gmock)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${target} COMMAND ${target})
        set_tests_properties(${target} PROPERTIES TIMEOUT 900)
    else()
        gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60)
    endif()
endfunction()

# suite_add_fuzzer(<target> <sources...>): a libFuzzer target, built only with SUITE_FUZZ.
# Every fuzzer joins the "fuzzers" target; scripts/run-fuzzers.sh runs each for a bounded time.
if(SUITE_FUZZ)
    add_custom_target(fuzzers)
endif()
function(suite_add_fuzzer target)
    if(SUITE_FUZZ)
        add_executable(${target} ${ARGN})
        add_dependencies(fuzzers ${target})
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
        target_link_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
    endif()
endfunction()
