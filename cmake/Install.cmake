# `cmake --install <build> [--prefix <prefix>]` puts the program folder under
# <prefix>/lib/zelko/ (Zelko, Skins/, Assist/), a `zelko` launcher into
# <prefix>/bin/, a desktop entry into <prefix>/share/applications/ and the
# user guide into <prefix>/share/doc/zelko/. An
# installed program folder is normally read-only, so the player then keeps its
# settings, play list and run log in $XDG_CONFIG_HOME/zelko/.
include(GNUInstallDirs)

# Always lib/zelko, also where the platform's library folder has a
# multi-arch name: the program folder holds programs and skins, not libraries.
set(ZELKO_INSTALL_DIR lib/zelko)
file(MAKE_DIRECTORY ${ZELKO_PROGRAM_DIR})

# The files a run from the build folder leaves in it (and the temporary files
# of an interrupted settings write) belong to that run, not to the installed
# program.
install(DIRECTORY ${ZELKO_PROGRAM_DIR}/
  DESTINATION ${ZELKO_INSTALL_DIR}
  USE_SOURCE_PERMISSIONS
  PATTERN "Zelko.ini" EXCLUDE
  PATTERN "Zelko.m3u" EXCLUDE
  PATTERN "Zelko.log" EXCLUDE
  REGEX "/Zelko\\.(ini|m3u)\\.[A-Za-z0-9]+$" EXCLUDE)

# The launcher finds the program folder relative to itself, so the installed
# tree can be moved to another prefix.
set(ZELKO_LAUNCHER ${CMAKE_BINARY_DIR}/install/zelko)
file(WRITE ${ZELKO_LAUNCHER}
"#!/bin/sh
# Starts the Zelko player from its program folder.
here=$(dirname \"$(readlink -f \"$0\")\")
exec \"$here/../${ZELKO_INSTALL_DIR}/Zelko\" \"$@\"
")
install(PROGRAMS ${ZELKO_LAUNCHER} DESTINATION ${CMAKE_INSTALL_BINDIR})

# The desktop entry: files and folders opened with the player are added to
# its list (see player/desktop/CommandLineFiles.h).
install(FILES ${PROJECT_SOURCE_DIR}/player/desktop/zelko.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The user guide, where the About dialog's link finds it from lib/zelko/.
install(FILES ${ZELKO_GUIDE} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zelko COMPONENT zelko_guide)
