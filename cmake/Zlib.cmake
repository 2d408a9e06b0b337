# zlib from Debian's packages: zlib1g-dev natively, libz-mingw-w64-dev for
# Windows, where the static library is linked so the exe needs no zlib DLL.
if(WIN32)
  find_library(ZLIB_STATIC NAMES libz.a REQUIRED)
  find_path(ZLIB_INCLUDE zlib.h REQUIRED)
  add_library(zlib_static STATIC IMPORTED)
  set_target_properties(zlib_static PROPERTIES IMPORTED_LOCATION ${ZLIB_STATIC}
                        INTERFACE_INCLUDE_DIRECTORIES ${ZLIB_INCLUDE})
  set(RENAMER_ZLIB zlib_static)
else()
  find_package(ZLIB REQUIRED)
  set(RENAMER_ZLIB ZLIB::ZLIB)
endif()
