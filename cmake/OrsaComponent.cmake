include(GoogleTest)

# orsa_add_tests(<component target> [LIBS extra libraries...])
# Builds every tests/*.cpp of the calling component into one test program
# named <target>_tests and registers each test case with CTest.
function(orsa_add_tests target)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  if(NOT test_sources)
    return()
  endif()
  add_executable(${target}_tests ${test_sources})
  target_link_libraries(${target}_tests PRIVATE ${target} ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${target}_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests)
  gtest_discover_tests(${target}_tests
    DISCOVERY_MODE PRE_TEST
    PROPERTIES TIMEOUT 120 LABELS ${target})
endfunction()
