find_package(CURL REQUIRED)
# The download worker drives the service requests and the package extraction.
target_link_libraries(download PUBLIC CURL::libcurl service larkholm_install)
