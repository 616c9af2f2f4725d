# What a user installs beside the delivered program and the command-line tools
# (cmake/Delivered.cmake): the desktop entry, icons and AppStream data, manual pages, bash
# completion and the package's documentation. Everything belongs to the Runtime component.
include(GNUInstallDirs)
set(SITEWRIGHT_APP_ID com.example.Sitewright)
set(dist ${CMAKE_SOURCE_DIR}/dist)

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

# Manual pages, made from each program's own --help and --version so they cannot fall behind
# them; dist/man/PROGRAM.h2m adds what --help does not say (exit status, files, examples).
# help2man dates the page from SOURCE_DATE_EPOCH when it is set, as the package build does.
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

# sitewright_man_page(page target name [extra .h2m include]...): page PAGE.1 from TARGET's help.
function(sitewright_man_page page target name)
  set(file ${man_dir}/${page}.1)
  list(TRANSFORM ARGN PREPEND --include= OUTPUT_VARIABLE includes)
  add_custom_command(
    OUTPUT ${file}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${man_dir}
    COMMAND ${SITEWRIGHT_HELP2MAN} --no-info --section=1 --name=${name}
            --include=${dist}/man/${page}.h2m ${includes}
            --output=${file} $<TARGET_FILE:${target}>
    COMMAND gzip -9nf ${file}
    DEPENDS ${target} ${dist}/man/${page}.h2m ${ARGN}
    COMMENT "Manual page of ${page}"
    VERBATIM)
  add_custom_target(${page}_man ALL DEPENDS ${file}.gz)
  install(FILES ${file}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT Runtime)
endfunction()
sitewright_man_page(sitewright sitewright_plain "code generator for web-site gadgets")
sitewright_man_page(sitewright-gen sitewright-gen
                    "write the HTML/JavaScript snippet of a Sitewright gadget" ${gadgets_h2m})
sitewright_man_page(sitewright-brand sitewright-brand
                    "append branding sections and a trailer to a program")

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

# The web page (scripts/build-web.sh), the same generators for a browser, when the package build
# made it: the folder's files as they are, to open or to put on a web site.
set(SITEWRIGHT_WEB_PAGE "" CACHE PATH "The built web page's folder, installed when given")
if(SITEWRIGHT_WEB_PAGE)
  install(DIRECTORY ${SITEWRIGHT_WEB_PAGE}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/sitewright/web
          COMPONENT Runtime)
endif()

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
