# ecr_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest program per module; its tests are listed in CTest one by one.
# Test programs go to build/tests so that build/bin holds only what a user runs.
function(ecr_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    ECR_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
    ECR_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${T_ENV}")
endfunction()
