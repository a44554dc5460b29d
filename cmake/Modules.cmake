# larkholm_add_module(NAME): one static library made of every .cpp in the calling folder, linked
# to support, with the folder's optional Dependencies.cmake adding what else it needs.
function(larkholm_add_module name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC support)
  set(module ${name})
  include(${CMAKE_CURRENT_SOURCE_DIR}/Dependencies.cmake OPTIONAL)
endfunction()
