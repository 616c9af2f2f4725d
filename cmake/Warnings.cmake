# One place for the warning set every target of ours is built with.
function(sitewright_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual -Werror=return-type)
endfunction()

# Qt targets also keep Qt's keyword macros out and build strings efficiently.
function(sitewright_qt_defaults target)
  sitewright_warnings(${target})
  target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS QT_USE_QSTRINGBUILDER)
endfunction()
