# The compiler suite's build programs as stand-ins, in the fake compiler root's bin.
foreach(tool make rmc rmclnk rmclib rrc wizard)
  add_executable(standin_${tool} ${CMAKE_SOURCE_DIR}/tests/build/standins/${tool}_w32.cpp)
  set_target_properties(standin_${tool} PROPERTIES OUTPUT_NAME ${tool}
                        RUNTIME_OUTPUT_DIRECTORY ${MORLA_SUITE_ROOT}/bin)
  target_link_options(standin_${tool} PRIVATE -static)
endforeach()
