find_package(CURL REQUIRED)
target_link_libraries(download PUBLIC CURL::libcurl)
# The download worker drives the service requests and the package extraction.
foreach(lib service larkholm_install)
  if(TARGET ${lib})
    target_link_libraries(download PUBLIC ${lib})
  endif()
endforeach()
