# sw_add_test(<name> SOURCES <files...> LIBS <targets...> [WIDGETS])
# One GoogleTest executable, each of its tests registered with CTest.
# WIDGETS links Qt and uses the shared main that starts a QApplication on the
# offscreen platform with the bundled fonts loaded.
include(GoogleTest)
find_package(GTest REQUIRED)

function(sw_add_test name)
  cmake_parse_arguments(T "WIDGETS" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  if(T_WIDGETS)
    target_link_libraries(${name} PRIVATE sw_widget_test_main)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8" TIMEOUT 600
    TEST_PREFIX "${name}.")
endfunction()
