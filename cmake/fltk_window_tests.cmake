# The desktop window's tests on a real X display, each run on an Xvfb
# display of its own.
if(TARGET cp_fltk)
  add_executable(test_fltk_window ${CMAKE_SOURCE_DIR}/tests/fltk_window/test_fltk_window.cpp)
  target_link_libraries(test_fltk_window PRIVATE cp_fltk cp_test_support cp_headless ${CUPROLAY_CORE_LIBS}
    GTest::gtest GTest::gtest_main)
  add_test(NAME unit_fltk_window
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/fltk_window/under_xvfb.sh $<TARGET_FILE:test_fltk_window>)
  set_tests_properties(unit_fltk_window PROPERTIES LABELS unit)
endif()
