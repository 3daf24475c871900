# Helpers shared by the folders' build files.

# pravik_folder_library(<target> <folder> [LIBS ...] [PCH header])
# A static library made of every .cpp below src/<folder>. A folder that has no
# source yet still gives a (empty) library, so that the targets always exist.
function(pravik_folder_library target folder)
  cmake_parse_arguments(A "" "PCH" "LIBS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp
       ${CMAKE_SOURCE_DIR}/src/${folder}/*.h
       ${CMAKE_SOURCE_DIR}/src/${folder}/*.qrc)
  set(has_cpp FALSE)
  foreach(s IN LISTS srcs)
    if(s MATCHES "\\.cpp$")
      set(has_cpp TRUE)
    endif()
  endforeach()
  if(NOT has_cpp)
    set(empty ${CMAKE_BINARY_DIR}/empty/${target}.cpp)
    file(WRITE ${empty} "// no sources yet\n")
    list(APPEND srcs ${empty})
  endif()
  add_library(${target} STATIC ${srcs})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
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
