# One INTERFACE target carries the language standard and the warning policy, so
# that every target of ours links it and nothing else has to repeat them.
add_library(qx_options INTERFACE)
target_compile_features(qx_options INTERFACE cxx_std_20)
target_compile_options(qx_options INTERFACE -Wall -Wextra -Werror)
target_include_directories(qx_options INTERFACE ${PROJECT_SOURCE_DIR}/src)

find_program(QX_CCACHE ccache)
if(QX_CCACHE)
  set(CMAKE_C_COMPILER_LAUNCHER ${QX_CCACHE})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${QX_CCACHE})
endif()

set(QX_SANITIZE "" CACHE STRING "Sanitizers to build with: address,undefined or thread")
if(QX_SANITIZE)
  add_compile_options(-fsanitize=${QX_SANITIZE} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${QX_SANITIZE})
  if(QX_SANITIZE MATCHES "undefined")
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
endif()

# The fuzz build instruments every library for coverage; only the harnesses
# link the fuzzer's own main.
if(QX_BUILD_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Every Qt library of ours compiles against one precompiled <QtWidgets>: a
# precompiled header of it is several hundred megabytes, and one per library
# filled the build machine's disk.
function(qx_qt_precompiled_header)
  if(TARGET qx_qt_pch)
    return()
  endif()
  set(source ${CMAKE_BINARY_DIR}/qx_qt_pch.cpp)
  if(NOT EXISTS ${source})
    file(WRITE ${source} "")
  endif()
  add_library(qx_qt_pch OBJECT ${source})
  target_link_libraries(qx_qt_pch PUBLIC qx_options Qt6::Widgets)
  # The libraries that reuse it all see the model, which has operations named
  # like Qt's foreach keyword; the header must be compiled as they compile.
  target_compile_definitions(qx_qt_pch PRIVATE QT_NO_FOREACH)
  target_precompile_headers(qx_qt_pch PRIVATE <QtWidgets>)
endfunction()

# qx_add_library(NAME SOURCES... [DEPS targets...] [QT])
# A library of one layer. DEPS are the layers below it (public, so that their
# headers are visible to users of this one).
function(qx_add_library name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC qx_options ${ARG_DEPS})
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    qx_qt_precompiled_header()
    target_precompile_headers(${name} REUSE_FROM qx_qt_pch)
  endif()
endfunction()

# qx_add_gtest(NAME SOURCES... LIBS targets...)
# One GoogleTest executable; every test case becomes a ctest test, labelled
# with the executable's name so that one suite can be run alone (ctest -L).
function(qx_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE qx_options qx_testsupport ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS ${name}
      ENVIRONMENT "QX_PROGRAM_DIR=${QX_PROGRAM_DIR};QX_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
endfunction()

# qx_add_qttest(NAME SOURCES... LIBS targets...)
# One QtTest executable, run on the offscreen platform.
function(qx_add_qttest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE qx_options ${ARG_LIBS} Qt6::Test Qt6::Widgets)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;XDG_DATA_HOME=${CMAKE_BINARY_DIR}/tests/data-home;QX_PROGRAM_DIR=${QX_PROGRAM_DIR};QX_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
endfunction()
