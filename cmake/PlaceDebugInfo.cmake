# Run by the build (cmake -P) after the packaged program is made: moves PROGRAM.debug, the debug
# information of the plain build, to DEBUG_DIR/.build-id/NN/REST.debug, where debuggers look it
# up by the build id the stripped program keeps; drops the intermediate stripped copy.
cmake_minimum_required(VERSION 3.25)
file(REMOVE ${PROGRAM}.stripped)
file(REMOVE_RECURSE ${DEBUG_DIR})
file(MAKE_DIRECTORY ${DEBUG_DIR})
# Quiet: the debug file keeps the program's headers but not its interpreter's name, which readelf
# complains of on every run although the notes come out whole.
execute_process(COMMAND ${READELF} -n ${PROGRAM}.debug OUTPUT_VARIABLE notes ERROR_QUIET)
if(NOT notes MATCHES "Build ID: ([0-9a-f][0-9a-f])([0-9a-f]+)")
  message(WARNING "${PROGRAM} has no build id; its debug information is not packaged")
  file(REMOVE ${PROGRAM}.debug)
  return()
endif()
file(MAKE_DIRECTORY ${DEBUG_DIR}/.build-id/${CMAKE_MATCH_1})
file(RENAME ${PROGRAM}.debug ${DEBUG_DIR}/.build-id/${CMAKE_MATCH_1}/${CMAKE_MATCH_2}.debug)
file(CHMOD ${DEBUG_DIR}/.build-id/${CMAKE_MATCH_1}/${CMAKE_MATCH_2}.debug
     PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
