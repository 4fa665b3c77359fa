# Warnings every target of the project is built with; the tree builds clean.
function(ydbcln_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
    -Wconversion -Wno-sign-conversion -Wnon-virtual-dtor -Woverloaded-virtual)
endfunction()
