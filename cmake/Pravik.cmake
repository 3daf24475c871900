# Helpers shared by the folders' build files.

# pravik_library(<target> SOURCES ... [LIBS ...] [PCH header])
# A static library of the sources listed (relative to the calling folder), which sees
# the headers of src/ and links the libraries given (publicly: their users see them).
function(pravik_library target)
  cmake_parse_arguments(A "" "PCH" "SOURCES;LIBS" ${ARGN})
  add_library(${target} STATIC ${A_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${A_LIBS})
  if(A_PCH AND PRAVIK_PCH)
    target_precompile_headers(${target} PRIVATE ${A_PCH})
  endif()
endfunction()

# pravik_add_test(<name> LABEL unit|gui|e2e SOURCES ... [LIBS ...] [TIMEOUT s])
# One GoogleTest executable, registered with CTest under its label. Every test runs
# with the offscreen platform and its own temporary prefix (see tests/support).
function(pravik_add_test name)
  cmake_parse_arguments(A "" "LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  # A test whose sources are still being written is left out until they exist, so
  # that one unfinished test never stops the whole tree from configuring.
  foreach(s IN LISTS A_SOURCES)
    if(NOT IS_ABSOLUTE ${s})
      set(s ${CMAKE_CURRENT_SOURCE_DIR}/${s})
    endif()
    if(NOT EXISTS ${s})
      message(STATUS "Test ${name}: ${s} does not exist yet; test left out")
      return()
    endif()
  endforeach()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE pravik_test_support ${A_LIBS} GTest::gtest GTest::gmock)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_dependencies(${name} pravik_program_folder)
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    LABELS "${A_LABEL}"
    TIMEOUT ${A_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;PRAVIK_BIN_DIR=${PRAVIK_BIN_DIR};PRAVIK_SOURCE_DIR=${CMAKE_SOURCE_DIR};ASAN_OPTIONS=detect_leaks=0:abort_on_error=0;UBSAN_OPTIONS=print_stacktrace=1")
endfunction()
