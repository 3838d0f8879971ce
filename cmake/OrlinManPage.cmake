# Writes the manual page of one of the programs from its --help, so that the two cannot
# disagree:
#   cmake -DPROGRAM=path/to/orlin-cli -DNAME=orlin-cli -DVERSION=x.y -DOUTPUT=orlin-cli.1
#         -P OrlinManPage.cmake
# NAME (orlin, orlin-cli or orlin-phonesim) chooses the one-line summary, the synopsis and the
# other two pages named under SEE ALSO; the window's --help runs without a display.
if(NOT NAME)
  set(NAME orlin-cli)
endif()
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
endif()

set(files "")
if(NAME STREQUAL "orlin")
  set(summary "manage a Motorola phone over its serial cable: phonebook, datebook, messages")
  set(synopsis ".B orlin\n[\\fIoptions\\fR]\n")
  set(others orlin-cli orlin-phonesim)
elseif(NAME STREQUAL "orlin-phonesim")
  set(summary "a simulated Motorola phone on a pseudo-terminal, for trying Orlin without one")
  set(synopsis ".B orlin-phonesim\n[\\fIoptions\\fR]\n")
  set(others orlin orlin-cli)
else()
  set(summary "work with a Motorola phone over its serial cable from the command line")
  set(synopsis ".B orlin-cli\n[\\fIoptions\\fR] \\fIVERB\\fR [\\fIWORDS\\fR...]\n")
  set(others orlin orlin-phonesim)
endif()
if(NOT NAME STREQUAL "orlin-phonesim")
  # Where the window and orlin-cli keep their settings, and the rule that lets the user open
  # the phone's port.
  set(files
    ".SH FILES\n"
    ".TP\n"
    ".I portcfg.ini\n"
    "The port settings, in the current directory; the desktop menu starts the window in\n"
    ".IR ~/.local/share/orlin ,\n"
    "where the message archives lie too, and orlin\\-cli uses that folder when the current\n"
    "directory holds no portcfg.ini and no \\-\\-port is given.\n"
    ".TP\n"
    ".I /usr/lib/udev/rules.d/60\\-orlin.rules\n"
    "Lets the user at the seat open a Motorola phone's port and keeps ModemManager away from it.\n")
  string(CONCAT files ${files})
endif()

# roff: a backslash is written \e; a line starting with . or ' would be a request.
string(REPLACE "\\" "\\e" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(TOUPPER ${NAME} title)
list(GET others 0 first)
list(GET others 1 second)
file(WRITE ${OUTPUT}
  ".TH ${title} 1 \"\" \"${NAME} ${VERSION}\" \"User Commands\"\n"
  ".SH NAME\n"
  "${NAME} \\- ${summary}\n"
  ".SH SYNOPSIS\n"
  "${synopsis}"
  ".SH DESCRIPTION\n"
  "The text of \\fB${NAME} \\-\\-help\\fR:\n"
  ".PP\n"
  ".nf\n"
  "${help}"
  ".fi\n"
  "${files}"
  ".SH SEE ALSO\n"
  ".BR ${first} (1),\n"
  ".BR ${second} (1)\n")
