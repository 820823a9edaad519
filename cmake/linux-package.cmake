# What a Linux player installs, and its packages: a .tar.gz and a Debian package,
# build/release/torvelin_<version>_<architecture>.deb.
#
#     cmake --preset release && cmake --build --preset release -j2 && (cd build/release && cpack)
#
# The program, its manual page and, in share/doc/torvelin, the README, the licence under the
# name Debian gives it (copyright) and the changelog of the releases. Debian wants the manual
# page and the changelog compressed with gzip -9n: no name and no time inside, so that every
# build gives the same bytes.
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
find_program(TORVELIN_GZIP gzip REQUIRED)
set(TORVELIN_GZIPPED)
foreach(source docs/torvelin.1 docs/changelog)
  get_filename_component(name ${source} NAME)
  set(gzipped ${CMAKE_BINARY_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${gzipped}
    COMMAND ${TORVELIN_GZIP} -9n -c ${CMAKE_SOURCE_DIR}/${source} > ${gzipped}
    DEPENDS ${CMAKE_SOURCE_DIR}/${source}
    COMMENT "Compressing ${source}")
  list(APPEND TORVELIN_GZIPPED ${gzipped})
endforeach()
add_custom_target(torvelin_gzipped_docs ALL DEPENDS ${TORVELIN_GZIPPED})

install(TARGETS torvelin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/torvelin.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES README.md ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)

set(CPACK_GENERATOR TGZ DEB)
set(CPACK_PACKAGE_NAME torvelin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the TORVELIN contributors")
set(CPACK_PACKAGE_CONTACT "TORVELIN contributors <torvelin@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "statistics pages from the chat log of a French-language role-playing game")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${CMAKE_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "TORVELIN contributors <torvelin@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "TORVELIN reads the chat log that a French-language online role-playing game
writes when chat logging is on (chat.log, Latin-1 text) and turns it into
HTML statistics pages for the player's character: every fight with its
damage per second, damage taken and healing; one page per part of the log
with weapon styles, criticals, misses, spells, heals, damage taken and
avoided, kills, experience, money, loot and crafting; and the chat, channel
by channel.

It can also follow the log while the game is played, and the pages then
reload themselves in the browser. Console messages and pages are in French.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
