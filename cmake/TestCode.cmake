# How a GoogleTest program compiles. The code under test is the libraries',
# compiled as the build type says; a test's own code only drives and
# compares, and at the release build's -O3 it took most of the build's time,
# so it is optimised only lightly. GoogleTest and the standard headers every
# test reads are parsed once per program, not once per file.
function(ydbcln_test_code target)
  ydbcln_warnings(${target})
  target_compile_options(${target} PRIVATE $<$<CONFIG:Release>:-O1>)
  target_precompile_headers(${target} PRIVATE
    <gtest/gtest.h> <algorithm> <cstdint> <cstring> <functional> <map> <memory>
    <string> <vector>)
endfunction()
