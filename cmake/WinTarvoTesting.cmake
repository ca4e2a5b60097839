# wt_add_gtest(target): registers a GoogleTest executable with CTest. Natively
# every test case is its own CTest test; when cross-compiling, the executable
# runs once as a whole under the emulator, which starts slowly.
function(wt_add_gtest target)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target})
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()
