# The resource editor library stand-in, in the fake compiler root's bin directory.
add_library(mresdll SHARED ${CMAKE_SOURCE_DIR}/tests/shell/standins/mresdll_w32.cpp
                           ${CMAKE_SOURCE_DIR}/tests/shell/standins/mresdll.def)
set_target_properties(mresdll PROPERTIES PREFIX "" OUTPUT_NAME mresdll
                      RUNTIME_OUTPUT_DIRECTORY ${MORLA_SUITE_ROOT}/bin)
target_link_libraries(mresdll PRIVATE user32 gdi32)
