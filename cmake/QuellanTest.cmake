# quellan_test(NAME sources... LIBS libs...)
# One CTest entry per test executable: under Wine a process start costs about a second,
# so each executable runs all of its cases in one go and prints GoogleTest's summary.
function(quellan_test name)
  cmake_parse_arguments(QT "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${QT_SOURCES})
  target_link_libraries(${name} PRIVATE ${QT_LIBS} GTest::gtest GTest::gtest_main)
  if(WIN32)
    # Tests that show windows need a GUI subsystem entry for nothing; console output is what CTest reads.
    target_link_options(${name} PRIVATE -mconsole)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  if(NOT QT_TIMEOUT)
    set(QT_TIMEOUT 120)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${QT_TIMEOUT})
endfunction()
