# The Windows build's tests: googletest built with the cross compiler from Debian's
# sources, and the unit tests of the pieces whose Windows code differs (data files,
# console conversions, the stamp's date) with the portable ones beside them. ctest runs
# them under Wine. The end-to-end tests run from the Linux build against talvo.exe
# (see .ci/wine-tests).
set(TALVO_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "googletest sources for the cross build")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${TALVO_GOOGLETEST_SOURCE} googletest EXCLUDE_FROM_ALL)

add_library(talvo_test_support STATIC support/scratch_dir.cc)
target_include_directories(talvo_test_support PUBLIC support)
target_link_libraries(talvo_test_support PUBLIC talvo_core gtest)

foreach(name encoding store platform faults)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cc)
  add_executable(talvo_${name}_tests ${sources})
  target_link_libraries(talvo_${name}_tests PRIVATE talvo_test_support gtest_main)
  add_test(NAME talvo_${name}_tests COMMAND talvo_${name}_tests)
  set_tests_properties(talvo_${name}_tests PROPERTIES ENVIRONMENT "WINEDEBUG=-all")
endforeach()
