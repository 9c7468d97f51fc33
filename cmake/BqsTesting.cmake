include(GoogleTest)

# bqs_add_test(<name> SOURCES <files...> LIBS <targets...> [GUI])
# A GUI test runs with the offscreen Qt platform; the others need no display.
# Every test links the test doubles of platform_testing.
function(bqs_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} platform_testing GTest::gtest GTest::gmock GTest::gtest_main)
  # Discovered tests take one environment entry only (a list would be split
  # into separate properties): the offscreen platform. The web engine's own
  # variables are set by the tests that start it and by scripts/run-tests.sh.
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
