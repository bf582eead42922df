# Shared helpers for every target of the project.

function(corvane_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wshadow -Wconversion -Wsign-conversion -Wcast-qual -Wformat=2
    -Wimplicit-fallthrough -Wnon-virtual-dtor -Wsuggest-override -Wmissing-declarations
    -Wundef)
  if(CORVANE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# corvane_library(NAME SOURCES... DEPS ...): a static library of one folder of the program.
# The repository root is the include root, so headers are named "folder/Class.h".
function(corvane_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  corvane_warnings(${name})
endfunction()

# corvane_test(NAME SOURCES... DEPS ... [LABELS ...]): one GoogleTest program, registered with ctest.
function(corvane_test name)
  if(NOT BUILD_TESTING)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE
    CORVANE_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/testdata"
    CORVANE_PROGRAM_DIR="${CORVANE_PROGRAM_DIR}")
  corvane_warnings(${name})
  # LABELS threads puts the program into the ThreadSanitizer run (target thread_tests).
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30 PROPERTIES TIMEOUT 60 LABELS "${ARG_LABELS}")
  if("threads" IN_LIST ARG_LABELS)
    set_property(GLOBAL APPEND PROPERTY CORVANE_THREAD_TESTS ${name})
  endif()
endfunction()

# corvane_benchmark(NAME SOURCES... DEPS ...): a Google Benchmark program under bench/. Each one
# measures the code against a reference kernel in the same run and reports the ratio.
function(corvane_benchmark name)
  if(NOT ENABLE_BENCHMARKS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark)
  corvane_warnings(${name})
endfunction()
