# A package build maps the source and build folders out of everything it compiles (debug
# information, __FILE__, and through them the build id), so the same commit built in another
# folder gives the same bytes. The build folder comes last: it may lie inside the source folder,
# and the last matching map wins.
if(SITEWRIGHT_REPRODUCIBLE)
  add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
                      -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)
endif()
