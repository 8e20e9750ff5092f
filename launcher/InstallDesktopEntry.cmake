# Run by `cmake --install`: writes the launcher's desktop entry, whose Exec names the installed
# program file, and the command bin/korvo-control-panel, a link to it. KORVO_LAUNCHER_DIR is the
# launcher's folder under the prefix; KORVO_ENTRY_WORK a folder of the build for the entry;
# KORVO_APP_ID the launcher's application id.
if(IS_ABSOLUTE "${KORVO_LAUNCHER_DIR}")
  set(exe "${KORVO_LAUNCHER_DIR}/Korvo Control Panel.exe")
  set(link_target "${exe}")
else()
  set(exe "${CMAKE_INSTALL_PREFIX}/${KORVO_LAUNCHER_DIR}/Korvo Control Panel.exe")
  set(link_target "../${KORVO_LAUNCHER_DIR}/Korvo Control Panel.exe")
endif()

# Inside double quotes the format reserves '"', '`', '$' and '\'; '%' starts a field code. The
# value as a whole is a string value, whose backslashes are escaped once more.
set(quoted "${exe}")
string(REPLACE "\\" "\\\\" quoted "${quoted}")
string(REPLACE "\"" "\\\"" quoted "${quoted}")
string(REPLACE "`" "\\`" quoted "${quoted}")
string(REPLACE "$" "\\$" quoted "${quoted}")
string(REPLACE "%" "%%" quoted "${quoted}")
set(quoted "\"${quoted}\"")
string(REPLACE "\\" "\\\\" quoted "${quoted}")

# Written in a folder of its own for each prefix: installs into several prefixes at once (the
# tests do that) must not take each other's entry. The file is named for the application's
# AppStream id, which its metainfo's launchable names; the icon has the same name. Qt names the
# launcher's windows' class for its application name, which StartupWMClass matches.
string(MD5 prefix_key "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(entry "${KORVO_ENTRY_WORK}/entries/${prefix_key}/${KORVO_APP_ID}.desktop")
file(WRITE "${entry}" "[Desktop Entry]
Type=Application
Version=1.0
Name=Korvo Control Panel
GenericName=Maths Games
Comment=Play Korvo's maths games, add new ones and remove them
Exec=${quoted}
Icon=${KORVO_APP_ID}
Terminal=false
Categories=Game;Education;Math;
Keywords=maths;math;equations;games;Korvo;
StartupWMClass=Korvo Control Panel
")
file(INSTALL "${entry}" DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications")

set(bin "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin")
file(MAKE_DIRECTORY "${bin}")
message(STATUS "Installing: ${bin}/korvo-control-panel")
file(CREATE_LINK "${link_target}" "${bin}/korvo-control-panel" SYMBOLIC)
