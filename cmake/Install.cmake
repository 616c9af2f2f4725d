# What a user installs beside the delivered program (cmake/Delivered.cmake): the command-line
# tools, the desktop entry, icons and AppStream data, manual pages, bash completion and the
# package's documentation. Everything belongs to the Runtime component.
include(GNUInstallDirs)
set(SITEWRIGHT_APP_ID com.example.Sitewright)
set(dist ${CMAKE_SOURCE_DIR}/dist)

install(TARGETS sitewright-gen sitewright-brand RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        COMPONENT Runtime)

install(FILES ${dist}/${SITEWRIGHT_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT Runtime)
install(FILES ${dist}/${SITEWRIGHT_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT Runtime)
install(FILES ${dist}/icons/sitewright.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT Runtime)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${dist}/icons/sitewright-${size}.png RENAME sitewright.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          COMPONENT Runtime)
endforeach()

# Manual pages, made from each tool's own --help so they cannot fall behind it.
find_program(SITEWRIGHT_HELP2MAN help2man REQUIRED)
set(man_dir ${CMAKE_BINARY_DIR}/man)
# sitewright-gen's page also lists the gadgets and their options, from the tool's own help.
set(gadgets_h2m ${man_dir}/sitewright-gen-gadgets.h2m)
add_custom_command(
  OUTPUT ${gadgets_h2m}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${man_dir}
  COMMAND ${CMAKE_COMMAND} -DGEN=$<TARGET_FILE:sitewright-gen> -DOUTPUT=${gadgets_h2m}
          -P ${CMAKE_SOURCE_DIR}/cmake/GadgetManSection.cmake
  DEPENDS sitewright-gen ${CMAKE_SOURCE_DIR}/cmake/GadgetManSection.cmake
  VERBATIM)

# sitewright_man_page(target name [extra .h2m include]...)
function(sitewright_man_page target name)
  set(page ${man_dir}/${target}.1)
  list(TRANSFORM ARGN PREPEND --include= OUTPUT_VARIABLE includes)
  add_custom_command(
    OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${man_dir}
    COMMAND ${SITEWRIGHT_HELP2MAN} --no-info --section=1 --version-string=${PROJECT_VERSION}
            --name=${name} --include=${dist}/man/${target}.h2m ${includes}
            --output=${page} $<TARGET_FILE:${target}>
    COMMAND gzip -9nf ${page}
    DEPENDS ${target} ${dist}/man/${target}.h2m ${ARGN}
    COMMENT "Manual page of ${target}"
    VERBATIM)
  add_custom_target(${target}_man ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT Runtime)
endfunction()
sitewright_man_page(sitewright-gen "write the HTML/JavaScript snippet of a Sitewright gadget"
                    ${gadgets_h2m})
sitewright_man_page(sitewright-brand "append branding sections and a trailer to a program")

# The desktop program takes no options; its page is written by hand.
add_custom_command(
  OUTPUT ${man_dir}/sitewright.1.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${man_dir}
  COMMAND ${CMAKE_COMMAND} -E copy ${dist}/man/sitewright.1 ${man_dir}/sitewright.1
  COMMAND gzip -9nf ${man_dir}/sitewright.1
  DEPENDS ${dist}/man/sitewright.1
  VERBATIM)
add_custom_target(sitewright_man ALL DEPENDS ${man_dir}/sitewright.1.gz)
install(FILES ${man_dir}/sitewright.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT Runtime)

# Bash completion of sitewright-gen, written from the gadget table.
set(SITEWRIGHT_COMPLETION ${CMAKE_BINARY_DIR}/completion/sitewright-gen)
add_custom_command(
  OUTPUT ${SITEWRIGHT_COMPLETION}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/completion
  COMMAND sitewright-completion ${SITEWRIGHT_COMPLETION}
  DEPENDS sitewright-completion
  COMMENT "Bash completion of sitewright-gen"
  VERBATIM)
add_custom_target(sitewright_completion_script ALL DEPENDS ${SITEWRIGHT_COMPLETION})
install(FILES ${SITEWRIGHT_COMPLETION}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions COMPONENT Runtime)

# Debian wants the copyright and a compressed changelog in the package's own doc folder.
set(SITEWRIGHT_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/sitewright)
configure_file(${dist}/changelog.in ${CMAKE_BINARY_DIR}/package/changelog @ONLY)
set(changelog ${CMAKE_BINARY_DIR}/package/changelog.gz)
add_custom_command(
  OUTPUT ${changelog}
  COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/package/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/package/changelog
  VERBATIM)
add_custom_target(sitewright_changelog ALL DEPENDS ${changelog})
install(FILES ${dist}/copyright ${changelog} DESTINATION ${SITEWRIGHT_DOC_DIR} COMPONENT Runtime)
install(FILES ${dist}/copyright ${changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/sitewright-dbg
        COMPONENT Debug)
