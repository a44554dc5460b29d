# Libraries of the drawing backend (Cairo + Pango), the image decoders and the X11 host (with RandR
# and Xinerama for its monitors). Public, so the tests that build picture fixtures with libpng and
# giflib find the same headers.
pkg_check_modules(DUI_RENDER REQUIRED IMPORTED_TARGET cairo pangocairo pango fontconfig libpng zlib x11 xrandr xinerama)
find_package(GIF REQUIRED)
target_link_libraries(dui PUBLIC PkgConfig::DUI_RENDER GIF::GIF)
