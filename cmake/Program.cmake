# suite_add_program(<Name> SOURCES <files...> ICON <file.ico>)
#
# A statically linked Windows GUI executable <Name>.exe with the icon as resource 1, an
# application manifest (program.manifest.in: system display-scaling awareness, common
# controls 6, Windows 7 to 11, asInvoker) and a version resource (file and product version
# major.minor.0.0 of the suite's one version, the top-level project()'s, product name and file description <Name>). Its sources see PROGRAM_NAME (L"<Name>"), PROGRAM_VERSION_MAJOR and
# PROGRAM_VERSION_MINOR. The entry point is wWinMain. Programs exist in the Windows build
# only; their portable logic lives in libraries that the host build tests.
#
# The top-level CMakeLists includes it before the program folders.
include_guard(GLOBAL)

if(WIN32)
    enable_language(RC)
endif()

function(suite_add_program name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "ICON" "SOURCES")
    if(NOT WIN32)
        return()
    endif()
    if(NOT arg_SOURCES OR NOT arg_ICON)
        message(FATAL_ERROR "suite_add_program(${name}): SOURCES and ICON are required")
    endif()
    set(PROGRAM_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
    set(PROGRAM_VERSION_MINOR ${PROJECT_VERSION_MINOR})
    set(PROGRAM_NAME ${name})
    cmake_path(ABSOLUTE_PATH arg_ICON BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
               OUTPUT_VARIABLE PROGRAM_ICON)

    set(PROGRAM_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${name}.manifest)
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/program.manifest.in ${PROGRAM_MANIFEST} @ONLY)
    set(rc_file ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc)
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/program.rc.in ${rc_file} @ONLY)

    add_executable(${name} WIN32 ${arg_SOURCES} ${rc_file})
    set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS "${PROGRAM_ICON};${PROGRAM_MANIFEST}")
    target_compile_definitions(${name} PRIVATE UNICODE _UNICODE
        "PROGRAM_NAME=L\"${name}\""
        PROGRAM_VERSION_MAJOR=${PROGRAM_VERSION_MAJOR}
        PROGRAM_VERSION_MINOR=${PROGRAM_VERSION_MINOR})
    target_link_options(${name} PRIVATE -municode -static)
endfunction()

# suite_add_e2e_test(<target> <Program> <sources...>): an end-to-end test, Windows build only,
# that starts the real <Program>.exe (its build path is PROGRAM_EXE) and drives its windows.
function(suite_add_e2e_test target program)
    if(NOT WIN32)
        return()
    endif()
    suite_add_gtest(${target} ${ARGN})
    target_link_libraries(${target} PRIVATE e2e)
    target_compile_definitions(${target} PRIVATE PROGRAM_EXE="$<TARGET_FILE:${program}>")
    add_dependencies(${target} ${program})
endfunction()

# suite_add_program_parts(<Name> LOGIC <logic-library> <sources...>
#                         UI <ui-library> <sources...>
#                         TESTS <test-target> <sources...>
#                         E2E <e2e-target> <sources...>)
#
# The shape most programs share: a portable logic library (the folder on its include path,
# on core), the forms on it (ui library, on the logic and forms), the headless tests of the
# forms, <Name>.exe from main.cpp with resources/icons/<Name>.ico (on the ui library and
# win32), and its end-to-end test.
function(suite_add_program_parts name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LOGIC;UI;TESTS;E2E")
    foreach(part LOGIC UI TESTS E2E)
        if(NOT arg_${part})
            message(FATAL_ERROR "suite_add_program_parts(${name}): ${part} <name> <sources...> is required")
        endif()
        list(POP_FRONT arg_${part} ${part}_target)
    endforeach()

    add_library(${LOGIC_target} STATIC ${arg_LOGIC})
    target_include_directories(${LOGIC_target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${LOGIC_target} PUBLIC core)

    add_library(${UI_target} STATIC ${arg_UI})
    target_link_libraries(${UI_target} PUBLIC ${LOGIC_target} forms)

    suite_add_gtest(${TESTS_target} ${arg_TESTS})
    target_link_libraries(${TESTS_target} PRIVATE ${UI_target} headless)

    suite_add_program(${name} SOURCES main.cpp
                      ICON ${PROJECT_SOURCE_DIR}/resources/icons/${name}.ico)
    if(WIN32)
        target_link_libraries(${name} PRIVATE ${UI_target} win32)
    endif()
    suite_add_e2e_test(${E2E_target} ${name} ${arg_E2E})
endfunction()
