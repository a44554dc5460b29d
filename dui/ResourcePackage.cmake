# larkholm_add_resource_package(target index_file)
#
# Packs every file an index lists ("TYPE NAME file" lines, files relative to the index) into the
# program through the respack tool. The generated source becomes an object library; an executable
# gets its objects directly, a library passes them on to every program that links it (objects,
# not an archive member, so the package's registrar is never dropped by the linker). Each package
# registers under its own symbol, derived from the index's path, so any number can be linked.
function(larkholm_add_resource_package target index_file)
  get_filename_component(index ${index_file} ABSOLUTE)
  get_filename_component(index_dir ${index} DIRECTORY)
  file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${index})
  string(MAKE_C_IDENTIFIER "larkholmResPackage_${rel}" symbol)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${symbol}.cpp)

  # Every listed file is a dependency of the generated source; editing the index re-configures.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${index})
  file(STRINGS ${index} lines)
  set(files)
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    string(REGEX REPLACE "^[^ \t]+[ \t]+[^ \t]+[ \t]+" "" file "${line}")
    list(APPEND files ${index_dir}/${file})
  endforeach()

  add_custom_command(OUTPUT ${out}
    COMMAND respack ${index} ${out} ${symbol}
    DEPENDS respack ${index} ${files}
    COMMENT "Packing resources of ${rel}"
    VERBATIM)
  set(lib ${symbol}_objects)
  add_library(${lib} OBJECT ${out})
  target_include_directories(${lib} PRIVATE ${PROJECT_SOURCE_DIR})

  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:${lib}>)
  else()
    target_link_libraries(${target} INTERFACE $<TARGET_OBJECTS:${lib}>)
    add_dependencies(${target} ${lib})
  endif()
endfunction()
