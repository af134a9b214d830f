# GoogleTest: Debian's libgtest-dev natively; built from /usr/src/googletest for Windows.
if(WIN32)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
endif()

# kurvix_unit_test(name SOURCES... LIBS...): one GoogleTest program, run natively or under
# Wine (CMAKE_CROSSCOMPILING_EMULATOR) by CTest.
function(kurvix_unit_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set(labels unit ${T_LABELS})
  set_tests_properties(${name} PROPERTIES LABELS "${labels}" TIMEOUT 300)
endfunction()
