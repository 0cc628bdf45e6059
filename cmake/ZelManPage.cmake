# Writes the manual page of zelquery from the tool's own help, so that the two cannot differ:
# "zelquery --help" gives the name line, the synopsis and the description, and each command
# listed there gets a section with its "zelquery COMMAND --help".
#   cmake -DTOOL=zelquery -DVERSION=4.0 -DOUTPUT=zelquery.1 -P ZelManPage.cmake
foreach(var TOOL VERSION OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "ZelManPage.cmake needs -D${var}=...")
  endif()
endforeach()

function(zel_tool_help out)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${TOOL} ${ARGN}
                  OUTPUT_VARIABLE text ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${TOOL} ${ARGN} failed (${status}): ${errors}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Help text as roff: backslashes and minus signs written as roff spells them, and a line
# that starts with a dot or a quote kept from being read as a request.
function(zel_roff out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

zel_tool_help(general --help)
string(REGEX MATCH "\n\n([^\n]*)" _ "${general}")
set(summary "${CMAKE_MATCH_1}")
string(REGEX REPLACE "\\.$" "" summary "${summary}")
string(SUBSTRING "${summary}" 0 1 first)
string(SUBSTRING "${summary}" 1 -1 rest)
string(TOLOWER "${first}" first)
set(summary "${first}${rest}")
string(REGEX REPLACE "^[^\n]*\n\n" "" description "${general}")
string(REGEX MATCHALL "\n  [a-z]+ +[^\n]*" command_lines "${general}")

zel_roff(summary "${summary}")
zel_roff(description "${description}")
set(page ".TH ZELQUERY 1 \"\" \"Pellox ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\nzelquery \\- ${summary}\n.SH SYNOPSIS\n")
set(sections "")
foreach(line IN LISTS command_lines)
  string(REGEX REPLACE "^\n  ([a-z]+) +(.*)$" "\\1;\\2" parts "${line}")
  list(GET parts 0 command)
  list(GET parts 1 arguments)
  zel_roff(arguments "${arguments}")
  string(APPEND page ".B zelquery ${command}\n[\\fIoptions\\fR] ${arguments}\n.br\n")
  zel_tool_help(help ${command} --help)
  zel_roff(help "${help}")
  string(APPEND sections ".SS ${command}\n.nf\n${help}.fi\n")
endforeach()
string(APPEND page ".B zelquery\n\\-\\-version\n")
string(APPEND page ".SH DESCRIPTION\n.nf\n${description}.fi\n.SH COMMANDS\n${sections}")
file(WRITE ${OUTPUT} "${page}")
