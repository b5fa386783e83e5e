# The resource editor library stand-in, in the fake compiler root's bin directory.
add_library(mresdll SHARED ${CMAKE_SOURCE_DIR}/tests/shell/standins/mresdll_w32.cpp
                           ${CMAKE_SOURCE_DIR}/tests/shell/standins/mresdll.def)
set_target_properties(mresdll PROPERTIES PREFIX "" OUTPUT_NAME mresdll
                      RUNTIME_OUTPUT_DIRECTORY ${MORLA_SUITE_ROOT}/bin)
target_link_libraries(mresdll PRIVATE user32 gdi32)

# A fake compiler root: the first run finds it from the program's own place in its bin.
file(MAKE_DIRECTORY ${MORLA_SUITE_ROOT}/include ${MORLA_SUITE_ROOT}/lib)
file(WRITE ${MORLA_SUITE_ROOT}/include/windows.h "/* stand-in */\n")
file(WRITE ${MORLA_SUITE_ROOT}/lib/kernel32.lib "")
add_custom_command(TARGET morla POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:morla> ${MORLA_SUITE_ROOT}/bin/morla.exe)
