# mendwell_add_test(NAME name SOURCES a_test.cpp ... LIBS lib ...)
# One GoogleTest binary per folder; every TEST becomes its own CTest entry.
function(mendwell_add_test)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main
                                            mendwell_warnings)
  target_compile_definitions(${ARG_NAME} PRIVATE
    MENDWELL_SHARED_DIR="${MENDWELL_SHARED_DIR}")
  gtest_discover_tests(${ARG_NAME} DISCOVERY_TIMEOUT 120
                       PROPERTIES TIMEOUT 600)
endfunction()
