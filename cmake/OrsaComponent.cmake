include(GoogleTest)

# Files that include host library headers build on their own, outside the
# batches: those headers bring macros (TRUE, socket names) that clash with
# the handheld's own.
function(_orsa_keep_host_sources_apart name)
  get_target_property(sources ${name} SOURCES)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} host_includes REGEX
         "^#include [<\"](sys/socket|netinet/|arpa/|png\\.h|gif_lib|jpeglib|libjpeg_trap/|glib|gmime|cairo|ft2build|SDL)")
    if(host_includes)
      set_source_files_properties(${source} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
    endif()
  endforeach()
endfunction()

function(_orsa_test_program name target sources extra_libs resource_lock timeout)
  add_executable(${name} ${sources})
  # Test files spend most of their compile time in the headers they share
  # (the test framework, the platform, the fixtures): built a batch at a
  # time in one unit they compile several times faster.
  set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  # Once the directory has added its own sources too (the name is put in
  # now: a deferred call reads its variables only when it runs).
  cmake_language(EVAL CODE "cmake_language(DEFER CALL _orsa_keep_host_sources_apart [[${name}]])")
  target_link_libraries(${name} PRIVATE ${target} ${extra_libs} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests)
  set(properties TIMEOUT ${timeout} LABELS ${target})
  if(resource_lock)
    list(APPEND properties RESOURCE_LOCK ${resource_lock})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ${properties})
endfunction()

# orsa_add_tests(<component target> [LIBS extra libraries...]
#                [RESOURCE_LOCK name] [TIMEOUT seconds])
# Builds every tests/*.cpp of the calling component into one test program
# named <target>_tests, and the tests of each subfolder tests/<group>/ into
# <target>_<group>_tests, and registers each test case with CTest. Tests of
# programs that name the same RESOURCE_LOCK never run at the same time (a
# host port, for example). Each case may take 120 s unless TIMEOUT says
# otherwise (whole days in the emulator under the sanitizers).
function(orsa_add_tests target)
  cmake_parse_arguments(ARG "" "RESOURCE_LOCK;TIMEOUT" "LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  if(test_sources)
    _orsa_test_program(${target}_tests ${target} "${test_sources}" "${ARG_LIBS}"
                       "${ARG_RESOURCE_LOCK}" ${ARG_TIMEOUT})
  endif()
  file(GLOB test_entries ${CMAKE_CURRENT_SOURCE_DIR}/tests/*)
  foreach(entry IN LISTS test_entries)
    if(IS_DIRECTORY ${entry})
      get_filename_component(group ${entry} NAME)
      if(group IN_LIST ORSA_PLATFORM_SKIP)
        continue()
      endif()
      file(GLOB group_sources CONFIGURE_DEPENDS ${entry}/*.cpp)
      if(group_sources)
        _orsa_test_program(${target}_${group}_tests ${target} "${group_sources}" "${ARG_LIBS}"
                           "${ARG_RESOURCE_LOCK}" ${ARG_TIMEOUT})
      endif()
    endif()
  endforeach()
endfunction()
