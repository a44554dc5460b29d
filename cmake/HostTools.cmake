# The build-time tools of a cross build (respack, which packs the resources, the demo install
# service the Windows end-to-end test serves from Linux, and the tests' https front) run on the
# build machine, so they are built for it: the same sources configured a second time, with the
# build machine's compiler, in <build>/host-tools. They appear here as imported executables under their usual target names, so
# the rest of the build uses them as it would in a native build.
include(ExternalProject)

set(LARKHOLM_HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools)
set(host_tools respack)
set(host_tool_files ${LARKHOLM_HOST_TOOLS_DIR}/tools/respack/respack)
if(LARKHOLM_BUILD_TESTS)
  list(APPEND host_tools larkholm-demo-service tls-front)
  list(APPEND host_tool_files ${LARKHOLM_HOST_TOOLS_DIR}/tools/demo-service/larkholm-demo-service
       ${LARKHOLM_HOST_TOOLS_DIR}/tools/tls-front/tls-front)
endif()

ExternalProject_Add(larkholm_host_tools
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${LARKHOLM_HOST_TOOLS_DIR}
  CMAKE_ARGS -DLARKHOLM_HOST_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target ${host_tools}
  INSTALL_COMMAND ""
  # The tools' own build decides what is out of date; this step only asks it every time.
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${host_tool_files})

foreach(tool file IN ZIP_LISTS host_tools host_tool_files)
  add_executable(${tool} IMPORTED GLOBAL)
  set_target_properties(${tool} PROPERTIES IMPORTED_LOCATION ${file})
  add_dependencies(${tool} larkholm_host_tools)
endforeach()
