find_package(CURL REQUIRED)
target_link_libraries(download PUBLIC CURL::libcurl)
# The download worker drives the service requests and the package extraction (the install
# folder's library is larkholm_install: CMake reserves "install").
target_link_libraries(download PUBLIC service larkholm_install)
