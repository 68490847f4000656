# quellan_test(NAME sources... LIBS libs...)
# One CTest entry per test executable: under Wine a process start costs about a second,
# so each executable runs all of its cases in one go and prints GoogleTest's summary.
#
# Cross-compiled, the tests run under Wine (scripts/wine-exec) on a private display in a fresh
# prefix, which the fixture "wine" makes before the first of them and removes after the last.
# The window tests move the one real pointer, so they hold the lock "display" one at a time.
if(WIN32 AND CMAKE_CROSSCOMPILING)
  set(QUELLAN_WINE_STATE ${CMAKE_BINARY_DIR}/wine)
  add_test(NAME wine_up COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-fixture up ${QUELLAN_WINE_STATE})
  add_test(NAME wine_down COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-fixture down ${QUELLAN_WINE_STATE})
  set_tests_properties(wine_up PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
  set_tests_properties(wine_down PROPERTIES FIXTURES_CLEANUP wine)
endif()

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
  if(QUELLAN_WINE_STATE)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK display
                                            ENVIRONMENT QUELLAN_WINE_STATE=${QUELLAN_WINE_STATE})
  endif()
endfunction()

# quellan_references(TARGET PNG...)
# A test's reference pictures are PNG files beside it; the build converts each to a binary PPM in
# the test's build folder (its working directory), which the test reads from QUELLAN_REFERENCES.
# scripts/update-references makes a test's actual pictures the new references.
if(WIN32 AND CMAKE_CROSSCOMPILING)
  find_program(QUELLAN_CONVERT NAMES magick convert REQUIRED)
elseif(WIN32)
  # On Windows only ImageMagick 7's magick: the system's convert.exe is a file-system tool.
  find_program(QUELLAN_CONVERT magick REQUIRED)
endif()
function(quellan_references target)
  foreach(png ${ARGN})
    get_filename_component(stem ${png} NAME_WE)
    set(ppm ${CMAKE_CURRENT_BINARY_DIR}/${stem}.ppm)
    add_custom_command(OUTPUT ${ppm} COMMAND ${QUELLAN_CONVERT} ${CMAKE_CURRENT_SOURCE_DIR}/${png} -depth 8 ppm:${ppm}
                       DEPENDS ${png} VERBATIM)
    target_sources(${target} PRIVATE ${ppm})
  endforeach()
  target_compile_definitions(${target} PRIVATE QUELLAN_REFERENCES="${CMAKE_CURRENT_BINARY_DIR}")
endfunction()
