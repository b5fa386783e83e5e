# The fixture generator's sources, shared by the native and the Win32 builds.
set(DEBUGGER_FIXTURE_GEN
    ${CMAKE_SOURCE_DIR}/tests/debugger/fixture_gen/fixture_builder.cpp
    ${CMAKE_SOURCE_DIR}/tests/debugger/fixture_gen/codeview_writer.cpp
    ${CMAKE_SOURCE_DIR}/tests/debugger/fixture_gen/pe_writer.cpp
    ${CMAKE_SOURCE_DIR}/tests/debugger/fixture_gen/fixture_programs.cpp)
