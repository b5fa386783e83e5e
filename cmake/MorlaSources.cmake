# Sources are found by name so that adding a file never needs a build edit:
#   <folder>/*.cpp            portable core
#   <folder>/*_w32.cpp        Win32 layer (shell/winmain_w32.cpp is the program entry)
#   tests/<folder>/*_test.cpp     native GoogleTest
#   tests/<folder>/*_w32test.cpp  GoogleTest run under Wine
#   bench/*_bench.cpp         Google Benchmark programs
set(MORLA_FOLDERS shell editor analysis project build debugger cms config tools)

function(morla_portable_sources out)
  set(result)
  foreach(f ${MORLA_FOLDERS})
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${f}/*.cpp)
    list(FILTER srcs EXCLUDE REGEX "_w32\\.cpp$")
    list(APPEND result ${srcs})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

function(morla_w32_sources out)
  set(result)
  foreach(f ${MORLA_FOLDERS})
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${f}/*_w32.cpp)
    list(APPEND result ${srcs})
  endforeach()
  list(FILTER result EXCLUDE REGEX "shell/winmain_w32\\.cpp$")
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# Tests of one folder, by suffix; tests/<folder>/support/*.cpp are shared helpers.
function(morla_test_sources folder suffix out)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*${suffix})
  set(${out} ${srcs} PARENT_SCOPE)
endfunction()
