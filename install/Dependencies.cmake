# The ZIP reader reads the container through minizip's unzip interface and decrypts and inflates
# item data itself with zlib.
pkg_check_modules(ZIP_LIBS REQUIRED IMPORTED_TARGET GLOBAL minizip zlib)
target_link_libraries(${module} PUBLIC PkgConfig::ZIP_LIBS)
