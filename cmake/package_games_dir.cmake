# Run by CPack on its staging folder before the package is made: the
# command moves from usr/bin to usr/games, where Debian puts games.
file(GLOB_RECURSE staged_commands LIST_DIRECTORIES false
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/borlin")
foreach(command ${staged_commands})
  get_filename_component(bin_dir ${command} DIRECTORY)
  get_filename_component(prefix_dir ${bin_dir} DIRECTORY)
  file(RENAME ${bin_dir} ${prefix_dir}/games)
endforeach()
