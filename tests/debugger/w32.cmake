# The Win32 tests write the fixtures themselves with the same generator.
include(${CMAKE_SOURCE_DIR}/tests/debugger/fixture_gen/sources.cmake)
function(debugger_w32_fixture_sources)
  if(TARGET w32test_debugger)
    target_sources(w32test_debugger PRIVATE ${DEBUGGER_FIXTURE_GEN})
  endif()
endfunction()
cmake_language(DEFER CALL debugger_w32_fixture_sources)
