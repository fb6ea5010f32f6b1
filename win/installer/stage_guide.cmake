# The user guide as the installer and the release zip carry it: the Markdown
# with CR LF line ends, so that every Windows editor shows it properly.
#   cmake -DIN=docs/USER-GUIDE.md -DOUT=.../USER-GUIDE.md -P stage_guide.cmake
file(READ "${IN}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}" "${text}")
