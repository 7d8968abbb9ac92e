# One helper registers every test binary, so that all of them get the same
# environment: GUI tests run on Qt's offscreen platform, and LeakSanitizer
# ignores the caches Qt's font stack keeps for the life of the process.
include(GoogleTest)

if(KEYLOOM_BUILD_TESTS)
  if(CMAKE_CROSSCOMPILING)
    # Debian's GoogleTest is built for the host only; build it from source.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # GoogleTest 1.11 and later name these targets themselves.
    foreach(lib gtest gtest_main gmock)
      if(NOT TARGET GTest::${lib})
        add_library(GTest::${lib} ALIAS ${lib})
      endif()
    endforeach()
  else()
    find_package(GTest REQUIRED)
  endif()
endif()

set(KEYLOOM_LSAN_SUPPRESSIONS ${CMAKE_SOURCE_DIR}/tests/lsan.supp)

# keyloom_add_test(NAME SOURCES files... LIBS libs... [GUI] [OWN_MAIN])
#   GUI: the binary needs a QApplication; it runs on the offscreen platform.
#   OWN_MAIN: the sources bring their own main() instead of gtest_main.
function(keyloom_add_test name)
  cmake_parse_arguments(T "GUI;OWN_MAIN" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  if(NOT T_OWN_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_compile_definitions(${name} PRIVATE
    KEYLOOM_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
    KEYLOOM_BINARY_DIR="${CMAKE_BINARY_DIR}")
  set(env "LSAN_OPTIONS=suppressions=${KEYLOOM_LSAN_SUPPRESSIONS}")
  if(T_GUI)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES ENVIRONMENT "${env}")
endfunction()
