# The delivered program: the plain build with its branding appended. Until branding exists it is
# a plain copy.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/sitewright
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:sitewright_plain> ${CMAKE_BINARY_DIR}/sitewright
  DEPENDS sitewright_plain
  COMMENT "Making the delivered sitewright")
add_custom_target(sitewright_delivered ALL DEPENDS ${CMAKE_BINARY_DIR}/sitewright)
