# GoogleTest from Debian's source package, built with the same toolchain,
# and a helper that turns a set of sources into one test program run by Wine.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# The tests' own code, GoogleTest's included, is compiled with -O1: it is
# glue around the product's objects, which keep the release flags, and -O3
# doubled its compile time, the larger part of the whole build's. (GoogleTest
# at -O0 compiles in two thirds of the time but makes each test program's
# link eight times as long.)
set(TOVIRA_TEST_OPTIMIZATION -O1)
foreach(t gtest gtest_main)
  target_compile_options(${t} PRIVATE -w -Wno-error ${TOVIRA_TEST_OPTIMIZATION})
endforeach()

# tovira_test_code(target): a test program or test library, compiled as the
# tests' code is, with the precompiled header they share (tests/support), its
# sources compiled together as one (tovira_one_source).
function(tovira_test_code target)
  target_compile_options(${target} PRIVATE ${TOVIRA_TEST_OPTIMIZATION})
  target_precompile_headers(${target} REUSE_FROM test_support_gtest)
  tovira_one_source(${target})
endfunction()

# tovira_one_source(target): the target's C++ sources compiled as one (a unity
# build: GoogleTest's templates are instantiated once a program, not once a
# source). So a test source keeps its helpers and its cases in one anonymous
# namespace, and its names apart from those of the program's other sources.
# The one source includes the others by their paths in the checkout, so it is
# the same in every clone and the compiler cache serves them all (CMake's own
# unity files name the sources by absolute path).
function(tovira_one_source target)
  get_target_property(sources ${target} SOURCES)
  set(content "// Generated: the sources of ${target}, compiled as one.\n")
  set(others)
  foreach(source ${sources})
    if(source MATCHES "\\.cpp$")
      get_filename_component(path ${source} ABSOLUTE)
      file(RELATIVE_PATH path ${CMAKE_SOURCE_DIR} ${path})
      string(APPEND content "#include \"${path}\"\n")
    else()
      list(APPEND others ${source})
    endif()
  endforeach()
  set(all ${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.cpp)
  file(CONFIGURE OUTPUT ${all} CONTENT "${content}")
  set_property(TARGET ${target} PROPERTY SOURCES ${all} ${others})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()

# tovira_add_test(NAME name SOURCES ... [LIBS ...] [DPI 192] [TIMEOUT s] [FILTER pattern]
#                 [COST seconds] [LABELS label ...] [DATAMODEL_FILTER pattern] [PART part])
# The program runs in a Wine prefix of its density (96 unless DPI says) that
# no other test uses while it runs, inside one Wine desktop the size of the
# test display: a top-level window there goes in a fraction of the time it
# takes on a bare X display. FILTER runs only the matching tests (GoogleTest's
# filter); COST, about how long it runs, lets ctest start the long ones first.
# LABELS datamodel puts the program in the subset that the i686 lane (the
# device's 32-bit data model) builds and runs: `cmake --build --target
# datamodel_tests`, then `ctest -L datamodel`. In that lane DATAMODEL_FILTER
# narrows the program to the cases of the subset. PART registers the program
# once more, as name_part (after the density), with its own FILTER: a long
# program split into parts that ctest runs side by side, each in a prefix of
# its own (the program's own registration then leaves the parts' cases out).
# scripts/test.sh boots the template with the same desktop while it builds.
set(TOVIRA_TEST_DESKTOP "ToviraTests,1024x768" CACHE STRING
    "The Wine desktop of the tests' prefixes (the size of scripts/xvfb.sh's screen)")
# The prefix every test prefix (and run_script's device) is copied from.
set(TOVIRA_TEST_TEMPLATE ${CMAKE_BINARY_DIR}/wineprefix-test-template)
add_custom_target(datamodel_tests)
function(tovira_add_test)
  cmake_parse_arguments(T "" "NAME;DPI;TIMEOUT;FILTER;COST;DATAMODEL_FILTER;PART" "SOURCES;LIBS;LABELS"
                        ${ARGN})
  if(NOT TARGET ${T_NAME})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} gtest gtest_main)
    tovira_test_code(${T_NAME})
  endif()
  if(NOT T_DPI)
    set(T_DPI 96)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set(test_name ${T_NAME})
  if(NOT T_DPI EQUAL 96)
    set(test_name ${T_NAME}_${T_DPI}dpi)
  endif()
  if(T_PART)
    set(test_name ${test_name}_${T_PART})
  endif()
  if(T_DATAMODEL_FILTER AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(T_FILTER ${T_DATAMODEL_FILTER})
  endif()
  set(filter)
  if(T_FILTER)
    set(filter --gtest_filter=${T_FILTER})
  endif()
  add_test(NAME ${test_name} COMMAND ${T_NAME} --gtest_color=no ${filter})
  # The prefixes are build/wineprefix-test-<dpi>-<n>: scripts/wine-run takes a
  # free one, so programs that share a registry never run at the same time,
  # and gives each a virtual display of its own.
  set_tests_properties(${test_name} PROPERTIES
    ENVIRONMENT "TOVIRA_ARCH=${CMAKE_SYSTEM_PROCESSOR};TOVIRA_DPI=${T_DPI};TOVIRA_BUILD=${CMAKE_BINARY_DIR};TOVIRA_TEST_PREFIX=${CMAKE_BINARY_DIR}/wineprefix-test-${T_DPI};TOVIRA_PREFIX_TEMPLATE=${TOVIRA_TEST_TEMPLATE};TOVIRA_DESKTOP=${TOVIRA_TEST_DESKTOP}"
    TIMEOUT ${T_TIMEOUT})
  if(T_COST)
    set_tests_properties(${test_name} PROPERTIES COST ${T_COST})
  endif()
  if(T_LABELS)
    set_tests_properties(${test_name} PROPERTIES LABELS "${T_LABELS}")
    if(datamodel IN_LIST T_LABELS)
      add_dependencies(datamodel_tests ${T_NAME})
    endif()
  endif()
endfunction()

# tovira_add_exports_test(TARGET DEF_FILE): the library exports exactly the
# names and ordinals of its .def, in either lane (read from the file by the
# toolchain's objdump; nothing runs under Wine).
function(tovira_add_exports_test target def)
  add_test(NAME exports_${target}
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DLIBRARY=$<TARGET_FILE:${target}>
            -DDEF=${def} -P ${CMAKE_SOURCE_DIR}/tests/support/check_exports.cmake)
  set_tests_properties(exports_${target} PROPERTIES LABELS "datamodel;exports")
  add_dependencies(datamodel_tests ${target})
endfunction()
