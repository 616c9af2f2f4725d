# Run by the build (cmake -P): writes OUTPUT, a help2man include with a GADGETS section made
# from sitewright-gen's own --list and each gadget's --help, so the manual page lists every
# gadget and option the program has.   GEN, OUTPUT
cmake_minimum_required(VERSION 3.25)

# Text as roff shows it literally: backslashes escaped, no line read as a request.
function(roff_text text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(run_gen out)
  execute_process(COMMAND ${GEN} ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${GEN} ${ARGN} failed (${status})")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

run_gen(list --list)
string(REPLACE "\n" ";" lines "${list}")
set(section "[GADGETS]\n")
foreach(line IN LISTS lines)
  # id, title and what the designed snippet does today, in columns two or more blanks apart.
  if(NOT line MATCHES "^([^ ]+) +(.*[^ ])  +([a-z][a-z ]*)$")
    continue()
  endif()
  set(id ${CMAKE_MATCH_1})
  roff_text("${CMAKE_MATCH_2}" title)
  run_gen(help ${id} --help)
  # The options part of the gadget's help: what follows its first blank line, without the
  # "Options" heading (gadgets without fields have only -o).
  string(FIND "${help}" "\n\n" blank)
  math(EXPR blank "${blank} + 2")
  string(SUBSTRING "${help}" ${blank} -1 options)
  string(REGEX REPLACE "^Options[^\n]*\n" "" options "${options}")
  roff_text("${options}" options)
  string(APPEND section ".TP\n.B ${id}\n${title}; options, with their defaults in brackets:\n.nf\n${options}.fi\n")
endforeach()
file(WRITE ${OUTPUT} "${section}")
