# Debian's packages, used as they are. CLI11 and nlohmann/json are header-only: the mingw
# build reads the same headers through a folder of links, so that it never sees the rest of
# the host's /usr/include.
set(MIVALTO_HEADER_ONLY_DIR ${CMAKE_BINARY_DIR}/third_party_include)
file(MAKE_DIRECTORY ${MIVALTO_HEADER_ONLY_DIR})
foreach(dir CLI nlohmann)
  if(NOT EXISTS /usr/include/${dir})
    message(FATAL_ERROR "/usr/include/${dir} is missing: run scripts/setup")
  endif()
  file(CREATE_LINK /usr/include/${dir} ${MIVALTO_HEADER_ONLY_DIR}/${dir} SYMBOLIC)
endforeach()
add_library(third_party_headers INTERFACE)
target_include_directories(third_party_headers SYSTEM INTERFACE ${MIVALTO_HEADER_ONLY_DIR})

# GoogleTest is compiled from Debian's sources with whichever compiler this build uses.
if(MIVALTO_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

# libjpeg for the Windows program's images: Debian ships none for mingw, so scripts/setup
# cross-builds Debian's libjpeg-turbo into MIVALTO_MINGW_PREFIX (see the toolchain file).
if(WIN32)
  find_package(JPEG)
  if(NOT JPEG_FOUND)
    message(FATAL_ERROR "No mingw libjpeg under ${MIVALTO_MINGW_PREFIX}: run scripts/setup")
  endif()
  add_library(mivalto_libjpeg INTERFACE)
  target_link_libraries(mivalto_libjpeg INTERFACE JPEG::JPEG)

  if(MIVALTO_GRAPHVIZ)
    # Graphviz for the pictures, cross-built by scripts/setup the same way: static libraries
    # that call one another both ways, so they are linked as one group, with mingw's zlib.
    set(graphviz_dir ${MIVALTO_MINGW_PREFIX}/lib/graphviz)
    file(GLOB graphviz_libraries ${graphviz_dir}/*.a)
    find_library(MIVALTO_MINGW_ZLIB NAMES libz.a)
    if(NOT EXISTS ${graphviz_dir}/libgvc.a OR NOT MIVALTO_MINGW_ZLIB)
      message(FATAL_ERROR "No mingw Graphviz under ${graphviz_dir}: run scripts/setup")
    endif()
    add_library(mivalto_graphviz INTERFACE)
    target_include_directories(mivalto_graphviz SYSTEM INTERFACE ${MIVALTO_MINGW_PREFIX}/include)
    target_link_libraries(mivalto_graphviz INTERFACE
                          "$<LINK_GROUP:RESCAN,${graphviz_libraries};${MIVALTO_MINGW_ZLIB}>")
  endif()
endif()
