# Writes st_nubera.desktop for the program installed in CMAKE_INSTALL_PREFIX, from
# NUBERA_SOURCE/assets/st_nubera.desktop.in. The folder is escaped as the desktop entry rules
# say: inside the quoted Exec argument a " ` $ or \ takes a backslash and a % is doubled;
# then every value writes each backslash twice.
set(prefix "${CMAKE_INSTALL_PREFIX}")
set(exec "${prefix}/st_nubera")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "\"" "\\\"" exec "${exec}")
string(REPLACE "`" "\\`" exec "${exec}")
string(REPLACE "$" "\\$" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")
string(REPLACE "\\" "\\\\" exec "${exec}")
set(NUBERA_EXEC "\"${exec}\"")
set(NUBERA_ICON "${prefix}/st_nubera.png")
string(REPLACE "\\" "\\\\" NUBERA_ICON "${NUBERA_ICON}")
configure_file("${NUBERA_SOURCE}/assets/st_nubera.desktop.in" "${prefix}/st_nubera.desktop"
               @ONLY)
message(STATUS "Installing: ${prefix}/st_nubera.desktop")
