# How the project's own targets are made: warnings on, sources found by folder.

# A warning in the project's own code fails the build. The dependencies' headers
# come from imported targets, which CMake includes as system headers, so their
# warnings stay theirs.
function(tivala_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# tivala_program(NAME [WIN32] SOURCES file... LIBS lib...): an executable of the
# project; every one is checked to be a PE32 program importing system DLLs only.
function(tivala_program name)
    cmake_parse_arguments(ARG "WIN32" "" "SOURCES;LIBS" ${ARGN})
    if(ARG_WIN32)
        add_executable(${name} WIN32 ${ARG_SOURCES})
    else()
        add_executable(${name} ${ARG_SOURCES})
    endif()
    set_property(GLOBAL APPEND PROPERTY TIVALA_EXECUTABLES ${name})
    tivala_warnings(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
endfunction()

# tivala_sources(OUT DIR...): the C and C++ sources and resource scripts below the folders.
function(tivala_sources out)
    set(files)
    foreach(dir IN LISTS ARGN)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS
            ${dir}/*.cpp ${dir}/*.c ${dir}/*.rc)
        list(APPEND files ${found})
    endforeach()
    set(${out} ${files} PARENT_SCOPE)
endfunction()

# tivala_library(NAME DIRS dir... LIBS lib... INCLUDES dir... PRIVATE_INCLUDES dir...):
# a static library of the folders' sources; an interface library while the
# folders hold none yet. INCLUDES are what its users see, PRIVATE_INCLUDES only
# its own sources.
function(tivala_library name)
    cmake_parse_arguments(ARG "" "" "DIRS;LIBS;INCLUDES;PRIVATE_INCLUDES" ${ARGN})
    tivala_sources(sources ${ARG_DIRS})
    if(sources)
        add_library(${name} STATIC ${sources})
        tivala_warnings(${name})
        target_include_directories(${name} PRIVATE ${ARG_PRIVATE_INCLUDES})
        set(scope PUBLIC)
    else()
        add_library(${name} INTERFACE)
        set(scope INTERFACE)
    endif()
    target_include_directories(${name} ${scope} ${ARG_INCLUDES})
    target_link_libraries(${name} ${scope} ${ARG_LIBS})
endfunction()

# tivala_tests(NAME DIR LIBS lib... [ALONE filter...]): one GoogleTest program
# of the folder's sources, each of its tests a ctest test run under Wine. Tests
# matching an ALONE filter (gtest wildcards) move the display's one pointer or
# read the screen, which another test's windows would disturb: ctest runs them
# with nothing beside them.
function(tivala_tests name dir)
    cmake_parse_arguments(ARG "" "" "LIBS;ALONE" ${ARGN})
    tivala_sources(sources ${dir})
    if(NOT sources)
        return()
    endif()
    tivala_program(${name} SOURCES ${sources}
        LIBS tivala_test_support ${ARG_LIBS} GTest::gmock GTest::gtest_main)
    if(ARG_ALONE)
        list(JOIN ARG_ALONE ":" alone)
        tivala_discover_tests(${name} "-${alone}")
        tivala_discover_tests(${name} "${alone}" RUN_SERIAL TRUE)
    else()
        tivala_discover_tests(${name} "*")
    endif()
endfunction()

function(tivala_discover_tests name filter)
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 300
        NO_PRETTY_VALUES
        TEST_FILTER "${filter}"
        # wine-run ends a hung test itself, before ctest would, so that the
        # test's servers and Wine processes are cleaned up and its output shown.
        PROPERTIES TIMEOUT 330 ENVIRONMENT TIVALA_TIMEOUT=300 ${ARGN})
endfunction()
