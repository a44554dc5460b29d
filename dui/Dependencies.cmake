# Libraries of the framework on each platform. Public, so the tests that build picture fixtures
# with libpng and giflib find the same headers.
find_package(pugixml REQUIRED)
find_package(GIF REQUIRED)
if(WIN32)
  # Static libpng and zlib from the Windows dependency prefix; drawing through Direct2D and
  # DirectWrite onto WIC bitmaps (COM); the Win32 host's windows, painting and input method.
  find_package(PNG REQUIRED)
  target_link_libraries(dui PUBLIC pugixml::pugixml PNG::PNG GIF::GIF d2d1 dwrite windowscodecs ole32 uuid
                                   user32 gdi32 imm32)
else()
  # Cairo + Pango drawing, the image decoders, and the X11 host (with RandR and Xinerama for its
  # monitors).
  pkg_check_modules(DUI_RENDER REQUIRED IMPORTED_TARGET cairo pangocairo pango fontconfig libpng zlib x11
                    xrandr xinerama)
  target_link_libraries(dui PUBLIC pugixml::pugixml PkgConfig::DUI_RENDER GIF::GIF)
endif()
