# The debugger's fixtures: a generator of the project's own writes small i386 PE images
# with CodeView 4 debug information into the build tree at build time.
include(${CMAKE_SOURCE_DIR}/tests/debugger/fixture_gen/sources.cmake)
add_library(debugger_fixture_gen STATIC ${DEBUGGER_FIXTURE_GEN})
target_include_directories(debugger_fixture_gen PUBLIC ${CMAKE_SOURCE_DIR})

add_executable(make_debug_fixtures ${CMAKE_SOURCE_DIR}/tests/debugger/fixture_gen/make_debug_fixtures.cpp)
target_link_libraries(make_debug_fixtures PRIVATE debugger_fixture_gen)

set(DEBUGGER_FIXTURE_DIR ${CMAKE_BINARY_DIR}/fixtures/debugger)
set(DEBUGGER_FIXTURE_FILES fixture.exe fixdll1.dll fixdll2.dll nosyms.exe dbgsect.exe fortran.exe
    main.c util.c dll1.c dll2.c)
list(TRANSFORM DEBUGGER_FIXTURE_FILES PREPEND ${DEBUGGER_FIXTURE_DIR}/)
add_custom_command(OUTPUT ${DEBUGGER_FIXTURE_FILES}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DEBUGGER_FIXTURE_DIR}
    COMMAND make_debug_fixtures ${DEBUGGER_FIXTURE_DIR}
    DEPENDS make_debug_fixtures
    COMMENT "Writing the debugger fixtures")
add_custom_target(debugger_fixtures ALL DEPENDS ${DEBUGGER_FIXTURE_FILES})

if(TARGET test_debugger)
  add_dependencies(test_debugger debugger_fixtures)
  target_sources(test_debugger PRIVATE ${CMAKE_SOURCE_DIR}/tests/debugger/dbginfo_fixture.cpp)
  target_link_libraries(test_debugger PRIVATE debugger_fixture_gen)
  target_compile_definitions(test_debugger PRIVATE DEBUGGER_FIXTURE_DIR="${DEBUGGER_FIXTURE_DIR}")
endif()

# The reader over mutated fixtures, built with AddressSanitizer and UBSan: the reader's
# sources are compiled into the test itself so that every read is instrumented.
file(GLOB DEBUGGER_READER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/debugger/dbginfo*.cpp)
list(FILTER DEBUGGER_READER_SOURCES EXCLUDE REGEX "_w32\\.cpp$")
add_executable(test_debugger_asan
    ${CMAKE_SOURCE_DIR}/tests/debugger/dbginfo_mutation_test.cpp ${CMAKE_SOURCE_DIR}/tests/debugger/dbginfo_fixture.cpp
    ${DEBUGGER_READER_SOURCES} ${DEBUGGER_FIXTURE_GEN}
    ${CMAKE_SOURCE_DIR}/shell/report.cpp ${CMAKE_SOURCE_DIR}/shell/format_buffer.cpp
    ${CMAKE_SOURCE_DIR}/shell/message_table.cpp ${CMAKE_SOURCE_DIR}/tests/support/recorded_reports.cpp)
target_include_directories(test_debugger_asan PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(test_debugger_asan PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all
                       -fno-omit-frame-pointer)
target_link_options(test_debugger_asan PRIVATE -fsanitize=address,undefined)
target_link_libraries(test_debugger_asan PRIVATE GTest::gtest_main Threads::Threads)
add_test(NAME debugger.asan_mutations COMMAND test_debugger_asan)

# The benchmark writes its large program with the same generator.
function(debugger_link_bench)
  if(TARGET dbginfo_bench)
    target_link_libraries(dbginfo_bench PRIVATE debugger_fixture_gen)
  endif()
endfunction()
cmake_language(DEFER CALL debugger_link_bench)
