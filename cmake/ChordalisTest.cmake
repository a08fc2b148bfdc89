include(GoogleTest)

# chordalis_add_test(NAME SOURCES... [LIBS libs...])
# One GoogleTest executable per area, linked against the program's layers (or the LIBS given);
# each TEST becomes a CTest case.
function(chordalis_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    if(NOT ARG_LIBS)
        set(ARG_LIBS chordalis_app)
    endif()
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main ${ARG_LIBS})
    # The test code itself needs no full optimisation and only line tables for its failure
    # reports; the code under test keeps its build type's flags. GoogleTest's macros make these
    # files the slowest to compile: -O1 -g1 halves their compile time.
    target_compile_options(${name} PRIVATE $<$<CONFIG:RelWithDebInfo>:-O1 -g1>)
    # Test files share most of their headers (GoogleTest, Qt, the program's layers): compiled a
    # few to a unit, those are read once per unit instead of once per file.
    set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 4)
    # A fixture in a file's anonymous namespace is fine in its own unit; gcc warns once that
    # file is included into a unity unit.
    target_compile_options(${name} PRIVATE -Wno-subobject-linkage)
    target_compile_definitions(${name} PRIVATE
        CHORDALIS_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
        CHORDALIS_SHIPPED_DATA="${CMAKE_SOURCE_DIR}/data")
    gtest_discover_tests(${name}
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config"
        DISCOVERY_TIMEOUT 60)
endfunction()
