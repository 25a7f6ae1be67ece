# Writes the package's copyright file, in Debian's machine-readable form,
# with the licence text of LICENSE: cmake -DLICENSE=... -DOUT=... -P this.
file(READ ${LICENSE} text)
string(REGEX REPLACE "\n$" "" text "${text}")
string(REGEX REPLACE "\n\n" "\n.\n" text "${text}")
string(REGEX REPLACE "\n" "\n " text "${text}")
file(WRITE ${OUT}
     "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
     "Upstream-Name: borlin\n\n"
     "Files: *\n"
     "Copyright: 2024 The Borlin developers\n"
     "License: Expat\n ${text}\n")
