# Shared compile settings for the project's own targets.

set(ZQ_WARNINGS -Wall -Wextra -Werror)

set(ZQ_SANITIZER_FLAGS "")
if(ZQ_SANITIZE)
  list(APPEND ZQ_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
       -fno-sanitize-recover=undefined)
endif()
if(ZQ_TSAN)
  list(APPEND ZQ_SANITIZER_FLAGS -fsanitize=thread -fno-omit-frame-pointer)
endif()
if(ZQ_SANITIZER_FLAGS)
  add_compile_options(${ZQ_SANITIZER_FLAGS})
  add_link_options(${ZQ_SANITIZER_FLAGS})
endif()

# zq_apply_warnings(target): our own code builds free of warnings.
function(zq_apply_warnings target)
  target_compile_options(${target} PRIVATE ${ZQ_WARNINGS})
endfunction()

# zq_library(name SOURCES ... [DEPS ...]): one static library per folder,
# its headers found as "folder/Header.h" from src/.
function(zq_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  zq_apply_warnings(${name})
endfunction()

# zq_test(name SOURCES ... DEPS ...): a GoogleTest executable registered with
# CTest. Tests run with the build's bin/ as program folder so that they see
# the same resources as the program.
function(zq_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
      ZQ_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
      ZQ_BIN_DIR="${ZQ_BIN_DIR}")
  zq_apply_warnings(${name})
  gtest_discover_tests(${name}
      DISCOVERY_TIMEOUT 60
      PROPERTIES LABELS "${ARG_LABELS}"
                 ENVIRONMENT "ZQ_PROGRAM_FOLDER=${ZQ_BIN_DIR}/")
  # A second ENVIRONMENT entry would be split apart by the discovery script;
  # the offscreen platform comes from the test presets and scripts/test.
endfunction()

# zq_bench(name SOURCES ... DEPS ...): a Google Benchmark executable in
# <build>/bench/. Not part of the test run; run it by hand and report figures.
function(zq_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark)
  target_compile_definitions(${name} PRIVATE ZQ_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ZQ_BIN_DIR="${ZQ_BIN_DIR}")
  zq_apply_warnings(${name})
endfunction()
