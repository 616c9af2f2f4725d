# The delivered program: the plain build with the branding image and trailer appended by
# sitewright-brand. build/sitewright-plain stays as it is, for the tests.
set(SITEWRIGHT_BRAND_IMAGE ${CMAKE_SOURCE_DIR}/assets/branding.jpg)
set(SITEWRIGHT_BRAND_TITLE "Sitewright")
set(SITEWRIGHT_BRAND_CAPTION "Visit the Sitewright web site")
# The address ends in a blank, which the trailer's quotes keep: the link opens it as written here.
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

# The installed program: the same, made from the stripped plain build. Its debug information
# lands in build/package/debug/sitewright for the separate debug package.
set(SITEWRIGHT_PACKAGED ${CMAKE_BINARY_DIR}/package/sitewright)
set(SITEWRIGHT_PACKAGED_DEBUG ${CMAKE_BINARY_DIR}/package/debug/sitewright)
# Stripping must come first: strip rewrites the file from its ELF sections and drops whatever
# was appended behind them.
find_program(SITEWRIGHT_READELF NAMES readelf REQUIRED)
add_custom_command(
  OUTPUT ${SITEWRIGHT_PACKAGED}
  COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:sitewright_plain>
          ${SITEWRIGHT_PACKAGED}.debug
  COMMAND ${CMAKE_STRIP} --strip-all -o ${SITEWRIGHT_PACKAGED}.stripped
          $<TARGET_FILE:sitewright_plain>
  COMMAND $<TARGET_FILE:sitewright-brand> append
          ${SITEWRIGHT_PACKAGED}.stripped ${SITEWRIGHT_PACKAGED}
          --section JPG2 ${SITEWRIGHT_BRAND_IMAGE}
          --trailer ${SITEWRIGHT_BRAND_TITLE} ${SITEWRIGHT_BRAND_CAPTION} ${SITEWRIGHT_BRAND_ADDRESS}
  COMMAND ${CMAKE_COMMAND} -DPROGRAM=${SITEWRIGHT_PACKAGED} -DDEBUG_DIR=${SITEWRIGHT_PACKAGED_DEBUG}
          -DREADELF=${SITEWRIGHT_READELF} -P ${CMAKE_SOURCE_DIR}/cmake/PlaceDebugInfo.cmake
  DEPENDS sitewright_plain sitewright-brand ${SITEWRIGHT_BRAND_IMAGE}
          ${CMAKE_SOURCE_DIR}/cmake/PlaceDebugInfo.cmake
  COMMENT "Stripping and branding the packaged sitewright"
  VERBATIM)
add_custom_target(sitewright_packaged ALL DEPENDS ${SITEWRIGHT_PACKAGED})

# Installed as a plain file, never through install(TARGETS): stripping (cmake --install --strip)
# would cut off everything appended behind the program image.
include(GNUInstallDirs)
install(PROGRAMS ${SITEWRIGHT_PACKAGED} DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
install(DIRECTORY ${SITEWRIGHT_PACKAGED_DEBUG}/ DESTINATION lib/debug COMPONENT Debug)

# The command-line tools, installed the same way: stripped, their debug information beside
# the program's in the debug package.
function(sitewright_packaged_tool target)
  set(program ${CMAKE_BINARY_DIR}/package/${target})
  set(debug_dir ${CMAKE_BINARY_DIR}/package/debug/${target})
  add_custom_command(
    OUTPUT ${program}
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> ${program}.debug
    COMMAND ${CMAKE_STRIP} --strip-all -o ${program} $<TARGET_FILE:${target}>
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=${program} -DDEBUG_DIR=${debug_dir}
            -DREADELF=${SITEWRIGHT_READELF} -P ${CMAKE_SOURCE_DIR}/cmake/PlaceDebugInfo.cmake
    DEPENDS ${target} ${CMAKE_SOURCE_DIR}/cmake/PlaceDebugInfo.cmake
    COMMENT "Stripping the packaged ${target}"
    VERBATIM)
  add_custom_target(${target}_packaged ALL DEPENDS ${program})
  install(PROGRAMS ${program} DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
  install(DIRECTORY ${debug_dir}/ DESTINATION lib/debug COMPONENT Debug)
endfunction()
sitewright_packaged_tool(sitewright-gen)
sitewright_packaged_tool(sitewright-brand)
