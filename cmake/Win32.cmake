# Win32 build: the Win32 layer, morla.exe, the suite stand-ins and the tests run under Wine.
enable_language(RC)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
morla_w32_sources(MORLA_W32_SOURCES)
add_library(morla_win STATIC ${MORLA_W32_SOURCES})
target_link_libraries(morla_win PUBLIC morla_core comctl32 comdlg32 shell32 gdi32 user32 advapi32 kernel32)

add_executable(morla WIN32 ${CMAKE_SOURCE_DIR}/shell/winmain_w32.cpp ${CMAKE_SOURCE_DIR}/shell/resources_w32.rc)
target_link_libraries(morla PRIVATE morla_win)
set_target_properties(morla PROPERTIES OUTPUT_NAME morla)

# GoogleTest from Debian's sources, cross-built.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# A private Wine prefix and X display for the whole run: started by a fixture,
# stopped by its cleanup, so nothing touches the user's own settings.
set(MORLA_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)
add_test(NAME wine.start COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-session.sh start ${MORLA_WINE_DIR})
add_test(NAME wine.stop COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-session.sh stop ${MORLA_WINE_DIR})
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)

# The compiler suite's programs are stand-ins of the test tree, gathered in a fake compiler root.
set(MORLA_SUITE_ROOT ${CMAKE_BINARY_DIR}/suite)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/screenshots)
file(GLOB MORLA_TEST_EXTRAS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*/w32.cmake)
foreach(extra ${MORLA_TEST_EXTRAS})
  include(${extra})
endforeach()

file(GLOB MORLA_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
add_library(morla_w32_test_support STATIC ${MORLA_TEST_SUPPORT})
target_link_libraries(morla_w32_test_support PUBLIC morla_win gtest shlwapi)

foreach(f ${MORLA_FOLDERS})
  morla_test_sources(${f} _w32test.cpp srcs)
  if(srcs)
    add_executable(w32test_${f} ${srcs})
    target_link_libraries(w32test_${f} PRIVATE morla_w32_test_support gtest_main)
    target_compile_definitions(w32test_${f} PRIVATE MORLA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    add_dependencies(w32test_${f} morla)
    add_test(NAME w32.${f} COMMAND w32test_${f})
    set_tests_properties(w32.${f} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine TIMEOUT 600 SKIP_RETURN_CODE 77
      ENVIRONMENT "MORLA_WINE_DIR=${MORLA_WINE_DIR};MORLA_EXE=${MORLA_SUITE_ROOT}/bin/morla.exe;MORLA_SUITE_ROOT=${MORLA_SUITE_ROOT};MORLA_SCREENSHOT_DIR=${CMAKE_BINARY_DIR}/screenshots")
  endif()
endforeach()
