# Release packages, made by cpack in a build tree (scripts/package makes both):
#   windows preset: a ZIP with Mivalto.exe, mivalto-cli.exe, LISEZMOI.txt (French, CRLF) and
#                   LICENCES.txt (the licences of the libraries the programs link: the
#                   Debian package's copyright file, CRLF);
#   linux preset:   a Debian package of mivalto-cli: the tool in /usr/bin, its French man
#                   page, its copyright and changelog in /usr/share/doc/mivalto-cli.
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
  configure_file(${CMAKE_SOURCE_DIR}/packaging/debian/copyright ${CMAKE_BINARY_DIR}/LICENCES.txt
                 @ONLY NEWLINE_STYLE WIN32)
  install(FILES ${CMAKE_BINARY_DIR}/LISEZMOI.txt ${CMAKE_BINARY_DIR}/LICENCES.txt DESTINATION .
          COMPONENT readme)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME Mivalto)
  set(CPACK_PACKAGE_FILE_NAME "Mivalto-${PROJECT_VERSION}-win64")
else()
  install(TARGETS mivalto-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT cli)
  set(CPACK_COMPONENTS_ALL cli)
  # What Debian asks of every package: a man page, the copyright and the changelog, the
  # man page and the changelog compressed as its policy says (gzip -9n: no name, no time,
  # the same bytes each build). The man page is made by help2man from the program's own
  # --help and --version, in French (help2man's French headings: the fr_FR.UTF-8 locale).
  set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/mivalto-cli)
  set(docs ${CMAKE_BINARY_DIR}/packaging)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/debian/copyright DESTINATION ${doc_dir}
          COMPONENT cli)
  add_custom_command(OUTPUT ${docs}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/debian/changelog ${docs}/changelog
    COMMAND gzip -9nf ${docs}/changelog
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/debian/changelog VERBATIM)
  install(FILES ${docs}/changelog.gz DESTINATION ${doc_dir} COMPONENT cli)
  find_program(MIVALTO_HELP2MAN help2man)
  if(MIVALTO_HELP2MAN)
    add_custom_command(OUTPUT ${docs}/mivalto-cli.1.gz
      COMMAND ${MIVALTO_HELP2MAN} --locale=fr_FR.UTF-8 --no-info --section=1
              "--name=explique les fichiers de graphe DirectShow (.grf)"
              --output=${docs}/mivalto-cli.1 $<TARGET_FILE:mivalto-cli>
      COMMAND gzip -9nf ${docs}/mivalto-cli.1
      DEPENDS mivalto-cli VERBATIM)
    add_custom_target(mivalto-cli-docs ALL DEPENDS ${docs}/changelog.gz ${docs}/mivalto-cli.1.gz)
    install(FILES ${docs}/mivalto-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT cli)
  else()
    message(STATUS "help2man not found (scripts/setup installs it): no man page in the package")
    add_custom_target(mivalto-cli-docs ALL DEPENDS ${docs}/changelog.gz)
  endif()

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
