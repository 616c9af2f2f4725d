# The delivered program: the plain build with the branding image and trailer appended by
# sitewright-brand. build/sitewright-plain stays as it is, for the tests.
set(SITEWRIGHT_BRAND_IMAGE ${CMAKE_SOURCE_DIR}/assets/branding.jpg)
set(SITEWRIGHT_BRAND_TITLE "Sitewright")
set(SITEWRIGHT_BRAND_CAPTION "Visit the Sitewright web site")
# The address keeps a blank inside its quotes, as delivered trailers always have.
set(SITEWRIGHT_BRAND_ADDRESS "http://www.example.com/sitewright/ ")

add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/sitewright
  COMMAND $<TARGET_FILE:sitewright-brand> append
          $<TARGET_FILE:sitewright_plain> ${CMAKE_BINARY_DIR}/sitewright
          --section JPG2 ${SITEWRIGHT_BRAND_IMAGE}
          --trailer ${SITEWRIGHT_BRAND_TITLE} ${SITEWRIGHT_BRAND_CAPTION} ${SITEWRIGHT_BRAND_ADDRESS}
  DEPENDS sitewright_plain sitewright-brand ${SITEWRIGHT_BRAND_IMAGE}
  COMMENT "Branding the delivered sitewright"
  VERBATIM)
add_custom_target(sitewright_delivered ALL DEPENDS ${CMAKE_BINARY_DIR}/sitewright)

# Installed as a plain file, never through install(TARGETS): stripping (cmake --install --strip)
# would cut off everything appended behind the program image.
install(PROGRAMS ${CMAKE_BINARY_DIR}/sitewright DESTINATION bin)
