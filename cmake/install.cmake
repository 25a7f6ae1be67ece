# What `cmake --install` puts where, under the prefix:
#   lib/borlin/           the game and its data files, in one folder, since
#                         start-up finds its data beside the executable
#   bin/borlin            a relative link to lib/borlin/borlin, the command
#                         (games/borlin in the package, as Debian puts games)
#   share/applications/borlin.desktop
#   share/icons/hicolor/NxN/apps/borlin.png
#   share/man/man6/borlin.6.gz
#   share/doc/borlin/README.md, copyright (from LICENSE) and changelog.gz
# and the Debian package built from the same rules: cpack -G DEB.
set(BORLIN_VERSION ${PROJECT_VERSION})
set(BORLIN_INSTALL_GAME_DIR lib/borlin)
set(BORLIN_DATA_FILES borlin.dat kestal.dat mapdatap.dat smapdatap.dat enemymapp.dat)

install(TARGETS borlin RUNTIME DESTINATION ${BORLIN_INSTALL_GAME_DIR})
foreach(f ${BORLIN_DATA_FILES})
  install(FILES ${GAME_DIR}/${f} DESTINATION ${BORLIN_INSTALL_GAME_DIR})
endforeach()

# Relative, so it stays right under DESTDIR and in the package.
set(BORLIN_COMMAND_LINK ${CMAKE_BINARY_DIR}/packaging/borlin)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
file(CREATE_LINK ../${BORLIN_INSTALL_GAME_DIR}/borlin ${BORLIN_COMMAND_LINK} SYMBOLIC)
install(FILES ${BORLIN_COMMAND_LINK} DESTINATION bin)

install(FILES ${CMAKE_SOURCE_DIR}/packaging/borlin.desktop DESTINATION share/applications)
if(TARGET icons)
  install(DIRECTORY ${ICON_DIR}/hicolor DESTINATION share/icons)
endif()

# Manual pages and changelogs are installed compressed, as Debian wants
# them; -n keeps the bytes the same on every build. Both carry the version.
# The game depends on them, so that a build of the game alone (play.sh)
# leaves everything the install copies.
set(BORLIN_MAN_PAGE ${CMAKE_BINARY_DIR}/packaging/borlin.6.gz)
set(BORLIN_CHANGELOG ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
configure_file(${CMAKE_SOURCE_DIR}/packaging/borlin.6.in ${CMAKE_BINARY_DIR}/packaging/borlin.6 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
foreach(page borlin.6 changelog)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/packaging/${page}.gz
    COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/packaging/${page} > ${CMAKE_BINARY_DIR}/packaging/${page}.gz
    DEPENDS ${CMAKE_BINARY_DIR}/packaging/${page}
    COMMENT "Compressing ${page}")
endforeach()
install(FILES ${BORLIN_MAN_PAGE} DESTINATION share/man/man6)

# The package's copyright file, from LICENSE.
set(BORLIN_COPYRIGHT ${CMAKE_BINARY_DIR}/packaging/copyright)
add_custom_command(
  OUTPUT ${BORLIN_COPYRIGHT}
  COMMAND ${CMAKE_COMMAND} -DLICENSE=${CMAKE_SOURCE_DIR}/LICENSE -DOUT=${BORLIN_COPYRIGHT}
          -P ${CMAKE_SOURCE_DIR}/cmake/copyright.cmake
  DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/cmake/copyright.cmake
  COMMENT "Writing the package's copyright file")
add_custom_target(package_docs ALL DEPENDS ${BORLIN_MAN_PAGE} ${BORLIN_CHANGELOG} ${BORLIN_COPYRIGHT})
add_dependencies(borlin package_docs)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${BORLIN_COPYRIGHT} ${BORLIN_CHANGELOG} DESTINATION share/doc/borlin)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME borlin)
set(CPACK_PACKAGE_VERSION ${BORLIN_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "isometric arcade shoot-'em-up")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Your ship flies over walled fortresses and open space, drawn in an isometric
projection that scrolls diagonally. Shoot turrets, rockets, radar dishes,
enemy planes and the boss robot at the end of each round; shoot fuel tanks
to refuel; keep your settings and a table of ten high scores.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Borlin maintainers <maintainers@borlin.invalid>")
# Debian puts the commands of section games in /usr/games: the package's
# staging folder has its bin/ renamed (the link is relative, ../lib/...).
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/package_games_dir.cmake)
# dpkg-shlibdeps (dpkg-dev) reads the exact library versions off the
# binary; without it, the Debian 12 packages the game links against.
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "liballegro4.4 (>= 2:4.4.3), libc6 (>= 2.34), libgcc-s1 (>= 3.0), libstdc++6 (>= 11)")
endif()
include(CPack)
