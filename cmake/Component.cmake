# ydbcln_component(NAME <lib> DIRS <folders...> LINKS <targets...>
#                  [OBJECTS <object libraries...>]
#                  [TEST_LINKS <targets...>] [WHOLE_PROGRAM_TEST])
#
# Builds one shared library from every *.cpp in the given folders except the
# *_test.cpp files (or, with OBJECTS, from those object libraries, which
# build the folders' sources layer by layer), and one GoogleTest program
# `<lib>_tests` from the test files. Sources sit beside their tests; adding
# a file needs no edit here.
# How the code of a shared library (or of an object library built into one)
# compiles, beside the warnings.
function(ydbcln_library_code target)
  # Calls between a library's own functions bind within the library instead
  # of through the symbol table, so that small ones (the Shift_JIS byte
  # classes, a record's field setters) can be inlined.
  target_compile_options(${target} PRIVATE -fno-semantic-interposition)
  if(YDBCLN_SANITIZE)
    # Checked builds optimise the libraries a little, so that the tests over
    # a generated season run in a minute, not five; the tests themselves
    # compile unoptimised.
    target_compile_options(${target} PRIVATE -O1)
  endif()
endfunction()

function(ydbcln_component)
  cmake_parse_arguments(C "WHOLE_PROGRAM_TEST" "NAME" "DIRS;LINKS;TEST_LINKS;OBJECTS" ${ARGN})
  set(sources)
  set(tests)
  foreach(dir IN LISTS C_DIRS)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    foreach(file IN LISTS found)
      if(file MATCHES "_test\\.cpp$")
        list(APPEND tests ${file})
      else()
        list(APPEND sources ${file})
      endif()
    endforeach()
  endforeach()
  if(C_OBJECTS)
    set(sources)
    foreach(objects IN LISTS C_OBJECTS)
      list(APPEND sources $<TARGET_OBJECTS:${objects}>)
    endforeach()
  endif()
  add_library(${C_NAME} SHARED ${sources})
  add_library(ydbcln::${C_NAME} ALIAS ${C_NAME})
  ydbcln_library_code(${C_NAME})
  target_include_directories(${C_NAME} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/ydbcln>)
  target_link_libraries(${C_NAME} ${C_LINKS})
  # Installed, the libraries sit side by side and find each other there.
  set_target_properties(${C_NAME} PROPERTIES
    VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR}
    INSTALL_RPATH "$ORIGIN")
  ydbcln_warnings(${C_NAME})
  if(YDBCLN_BUILD_TESTS AND tests)
    add_executable(${C_NAME}_tests ${tests})
    target_link_libraries(${C_NAME}_tests PRIVATE ${C_NAME} ${C_TEST_LINKS}
      GTest::gtest GTest::gtest_main)
    ydbcln_test_code(${C_NAME}_tests)
    if(C_WHOLE_PROGRAM_TEST)
      # Tests that share an expensive fixture (a generated season) run in
      # one process, so the fixture is built once.
      add_test(NAME ${C_NAME}_tests COMMAND ${C_NAME}_tests)
      set_tests_properties(${C_NAME}_tests PROPERTIES
        ENVIRONMENT "YDBCLN_TEST_TMP=${CMAKE_BINARY_DIR}/test-tmp" LABELS slow
        FIXTURES_REQUIRED shared_seasons)
    else()
      gtest_discover_tests(${C_NAME}_tests DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "YDBCLN_TEST_TMP=${CMAKE_BINARY_DIR}/test-tmp"
                   FIXTURES_REQUIRED shared_seasons)
    endif()
  endif()
endfunction()
