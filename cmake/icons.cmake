# The game's icons, drawn from its ship model by tools/icongen.cpp: the
# hicolor PNGs for the desktop and the XPM compiled into the game for its
# window. Both come out of one run.
if(NOT TARGET datagen_core)
  return()
endif()

find_package(ZLIB REQUIRED)
target_link_libraries(datagen_core PUBLIC ZLIB::ZLIB)

add_executable(icongen ${CMAKE_SOURCE_DIR}/tools/icongen.cpp)
target_link_libraries(icongen PRIVATE datagen_core)

set(ICON_DIR ${CMAKE_BINARY_DIR}/icons)
add_custom_command(
  OUTPUT ${ICON_DIR}/borlin_icon.xpm
  COMMAND icongen ${ICON_DIR}
  DEPENDS icongen
  COMMENT "Drawing the game's icons")
add_custom_target(icons ALL DEPENDS ${ICON_DIR}/borlin_icon.xpm)

# Only the game itself carries the window icon (see src/platform/icon.h).
target_sources(borlin PRIVATE ${CMAKE_SOURCE_DIR}/src/platform/icon.cpp
               ${ICON_DIR}/borlin_icon.xpm)
target_include_directories(borlin PRIVATE ${ICON_DIR})
