# zlib from the toolchain's world (libz-mingw-w64-dev for Windows, zlib1g-dev natively), and
# minizip compiled from Debian's zlib source, which scripts/setup unpacks into the cache.
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)

if(DEFINED ENV{MOYU_CACHE})
  set(_moyu_cache "$ENV{MOYU_CACHE}")
else()
  set(_moyu_cache "$ENV{HOME}/.cache/moyu-mounter")
endif()
set(MINIZIP_DIR "${_moyu_cache}/zlib-1.2.13.dfsg/contrib/minizip" CACHE PATH "minizip sources from Debian's zlib")
if(NOT EXISTS "${MINIZIP_DIR}/unzip.c")
  message(FATAL_ERROR "minizip sources not found in ${MINIZIP_DIR}: run scripts/setup first")
endif()

# unzip.c and ioapi.c use K&R definitions, so they are compiled as C.
set(_minizip_src "${MINIZIP_DIR}/unzip.c" "${MINIZIP_DIR}/ioapi.c")
if(WIN32)
  list(APPEND _minizip_src "${MINIZIP_DIR}/iowin32.c")
endif()
add_library(minizip STATIC ${_minizip_src})
target_include_directories(minizip SYSTEM PUBLIC "${MINIZIP_DIR}")
target_compile_options(minizip PRIVATE -w)
target_link_libraries(minizip PUBLIC ZLIB::ZLIB)

# GoogleTest from Debian's googletest package (sources in /usr/src/googletest).
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
