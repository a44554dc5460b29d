find_package(CURL REQUIRED)
pkg_check_modules(JSONCPP REQUIRED IMPORTED_TARGET jsoncpp)
target_link_libraries(service PUBLIC CURL::libcurl PRIVATE PkgConfig::JSONCPP)
