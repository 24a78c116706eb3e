# Release packages, made by cpack in a build tree (scripts/package makes both):
#   windows preset: a ZIP with Mivalto.exe, mivalto-cli.exe and LISEZMOI.txt (French, CRLF);
#   linux preset:   a Debian package of mivalto-cli, the tool in /usr/bin.
# Only the components named here are packaged: nothing of the tests, the benchmarks or
# GoogleTest (whose own install rules are off, see ThirdParty.cmake) can slip in.
include(GNUInstallDirs)

set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Orvel Danth")
set(CPACK_PACKAGE_CONTACT "Orvel Danth <orvel.danth@mivalto.example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://mivalto.example.org")
set(CPACK_STRIP_FILES ON)
# One package holding the components listed in CPACK_COMPONENTS_ALL, and only those.
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL_IN_ONE_PACKAGE ON)

if(WIN32)
  # Everything side by side at the archive's root: the programs need no DLL beside them.
  install(TARGETS mivalto-cli RUNTIME DESTINATION . COMPONENT cli)
  set(CPACK_COMPONENTS_ALL cli readme)
  if(TARGET Mivalto)
    install(TARGETS Mivalto RUNTIME DESTINATION . COMPONENT window)
    list(APPEND CPACK_COMPONENTS_ALL window)
  endif()
  configure_file(${CMAKE_SOURCE_DIR}/packaging/LISEZMOI.txt ${CMAKE_BINARY_DIR}/LISEZMOI.txt
                 @ONLY NEWLINE_STYLE WIN32)
  install(FILES ${CMAKE_BINARY_DIR}/LISEZMOI.txt DESTINATION . COMPONENT readme)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME Mivalto)
  set(CPACK_PACKAGE_FILE_NAME "Mivalto-${PROJECT_VERSION}-win64")
else()
  install(TARGETS mivalto-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT cli)
  set(CPACK_COMPONENTS_ALL cli)

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME mivalto-cli)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_PACKAGE_NAME mivalto-cli)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Orvel Danth <orvel.danth@mivalto.example.org>")
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://mivalto.example.org")
  # The libraries the tool links (libstdc++, libc...), found by dpkg-shlibdeps.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
      "explains DirectShow graph files (.grf) in plain words")
  # The summary above becomes the description's first line.
  string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "mivalto-cli reads the graph saved in a GraphEdit file and reports, in\n"
      "French, its filters, their connections with the full media type of each\n"
      "(video info headers, MPEG, wave format, DV, analog video), the reference\n"
      "clock and the end marker. The report goes to a terminal in colour, or is\n"
      "written as plain text, RTF, HTML or JSON; the graph itself can be drawn\n"
      "as a Graphviz DOT or SVG picture.")
endif()

include(CPack)
