# Writes the manual page of orlin-cli from its --help, so that the two cannot disagree.
#   cmake -DPROGRAM=path/to/orlin-cli -DVERSION=x.y -DOUTPUT=orlin-cli.1 -P OrlinManPage.cmake
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
endif()
# roff: a backslash is written \e; a line starting with . or ' would be a request.
string(REPLACE "\\" "\\e" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
file(WRITE ${OUTPUT}
  ".TH ORLIN-CLI 1 \"\" \"orlin-cli ${VERSION}\" \"User Commands\"\n"
  ".SH NAME\n"
  "orlin-cli \\- work with a Motorola phone over its serial cable from the command line\n"
  ".SH SYNOPSIS\n"
  ".B orlin-cli\n"
  "[\\fIoptions\\fR] \\fIVERB\\fR [\\fIWORDS\\fR...]\n"
  ".SH DESCRIPTION\n"
  "The text of \\fBorlin\\-cli \\-\\-help\\fR:\n"
  ".PP\n"
  ".nf\n"
  "${help}"
  ".fi\n"
  ".SH SEE ALSO\n"
  ".BR orlin (1)\n")
