# Installs the build into a fresh prefix and checks that the desktop finds what it needs:
# programs, demonstration portfolios, the HTML page's images, desktop entry, icon and the
# two file types.
# Called as: cmake -DBUILD=<build folder> -DPREFIX=<empty folder> -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(f
    bin/portfolaris bin/portfolaris-cli bin/portfolaris-vtplus
    share/portfolaris/Demo1.fl2 share/portfolaris/Demo2.fl2 share/portfolaris/Demo3.fl2
    share/portfolaris/ar1.gif share/portfolaris/ar5.gif share/portfolaris/blline.gif
    share/portfolaris/grline.gif
    share/doc/portfolaris/handbuch/index.html share/doc/portfolaris/handbuch/kurse.html
    share/applications/portfolaris.desktop
    share/mime/packages/portfolaris.xml
    share/icons/hicolor/scalable/apps/portfolaris.svg)
  if(NOT EXISTS "${PREFIX}/${f}")
    message(FATAL_ERROR "missing after install: ${f}")
  endif()
endforeach()
file(READ "${PREFIX}/share/applications/portfolaris.desktop" desktop)
foreach(line "Exec=portfolaris %F" "Icon=portfolaris"
             "MimeType=application/x-portfolaris2;application/x-portfolaris1;")
  string(FIND "${desktop}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "desktop entry lacks: ${line}")
  endif()
endforeach()
# Where the desktop's MIME database tool ran, the types must have reached it.
if(EXISTS "${PREFIX}/share/mime/globs2")
  file(READ "${PREFIX}/share/mime/globs2" globs)
  foreach(glob "application/x-portfolaris2:*.fl2" "application/x-portfolaris1:*.flk")
    string(FIND "${globs}" "${glob}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "MIME database lacks ${glob}")
    endif()
  endforeach()
endif()
# The installed program runs from there and finds its demonstration portfolios.
execute_process(COMMAND "${PREFIX}/bin/portfolaris-cli" info "${PREFIX}/share/portfolaris/Demo1.fl2"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "installed portfolaris-cli cannot read Demo1.fl2")
endif()
file(REMOVE_RECURSE "${PREFIX}")
