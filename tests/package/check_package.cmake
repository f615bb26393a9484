# Packs a build tree with cpack and checks the Debian package's control fields and files.
# Called as: cmake -DBUILD=<build folder> -DWORK=<scratch folder> -DCPACK=<cpack>
#                  -DDPKG_DEB=<dpkg-deb> -DVERSION=<x.y> -DARCH=<dpkg architecture>
#                  [-DDESKTOP_FILE_VALIDATE=<desktop-file-validate>] -P check_package.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${CPACK}" --config "${BUILD}/CPackConfig.cmake" -G DEB -B "${WORK}"
                WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE result OUTPUT_VARIABLE out
                ERROR_VARIABLE out)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack failed (${result}):\n${out}")
endif()
set(deb "${WORK}/portfolaris_${VERSION}_${ARCH}.deb")
if(NOT EXISTS "${deb}")
  file(GLOB made "${WORK}/*.deb")
  message(FATAL_ERROR "expected ${deb}, cpack wrote: ${made}")
endif()

function(expect text what)
  foreach(wanted IN LISTS ARGN)
    string(FIND "${text}" "${wanted}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${what} lacks \"${wanted}\":\n${text}")
    endif()
  endforeach()
endfunction()

function(control field out)
  execute_process(COMMAND "${DPKG_DEB}" -f "${deb}" ${field} RESULT_VARIABLE result
                  OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT result EQUAL 0 OR value STREQUAL "")
    message(FATAL_ERROR "the package has no ${field} field")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

control(Package package)
control(Version version)
control(Architecture arch)
if(NOT package STREQUAL "portfolaris" OR NOT version STREQUAL "${VERSION}"
   OR NOT arch STREQUAL "${ARCH}")
  message(FATAL_ERROR "control says ${package} ${version} ${arch}")
endif()
control(Section section)
control(Maintainer maintainer)
if(NOT maintainer MATCHES "^[^<>]+ <[^<>@ ]+@[^<>@ ]+>$")
  message(FATAL_ERROR "Maintainer is not \"Name <address>\": ${maintainer}")
endif()
# A synopsis and an indented long description in English and German.
control(Description description)
expect("${description}" Description "portfolio" "\n Portfolaris keeps" "\n Portfolaris verwaltet")
# The libraries the programs link (found by dpkg-shlibdeps) and what Qt loads at run time.
control(Depends depends)
expect("${depends}" Depends libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6
       libqt6printsupport6 libqt6webenginewidgets6 libqt6webenginecore6-bin fonts-liberation)

execute_process(COMMAND "${DPKG_DEB}" -c "${deb}" RESULT_VARIABLE result OUTPUT_VARIABLE listing)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -c failed: ${result}")
endif()
foreach(program portfolaris portfolaris-cli portfolaris-vtplus)
  # Owned by root and executable by everyone.
  if(NOT listing MATCHES "-rwxr-xr-x root/root [^\n]* \\./usr/bin/${program}\n")
    message(FATAL_ERROR "usr/bin/${program} missing or not an executable of root:\n${listing}")
  endif()
endforeach()
foreach(f
    share/portfolaris/Demo1.fl2 share/portfolaris/Demo2.fl2 share/portfolaris/Demo3.fl2
    share/portfolaris/ar1.gif share/portfolaris/ar2.gif share/portfolaris/ar3.gif
    share/portfolaris/ar4.gif share/portfolaris/ar5.gif share/portfolaris/blline.gif
    share/portfolaris/grline.gif
    share/doc/portfolaris/handbuch/index.html share/doc/portfolaris/handbuch/kurse.html
    share/doc/portfolaris/handbuch/handbuch.css
    share/applications/portfolaris.desktop
    share/mime/packages/portfolaris.xml
    share/icons/hicolor/scalable/apps/portfolaris.svg)
  expect("${listing}" "the package" " ./usr/${f}\n")
endforeach()
# The desktop caches belong to the target system (dpkg triggers rebuild them there): a
# package carrying them would clash with shared-mime-info and hicolor-icon-theme.
string(REGEX MATCHALL " \\./usr/share/mime/[^\n]*" mime "${listing}")
if(NOT mime STREQUAL
   " ./usr/share/mime/; ./usr/share/mime/packages/; ./usr/share/mime/packages/portfolaris.xml")
  message(FATAL_ERROR "the package holds more than the MIME types:\n${listing}")
endif()
foreach(wrong "icon-theme\\.cache" "mimeinfo\\.cache" " \\./usr/local/")
  if(listing MATCHES "${wrong}")
    message(FATAL_ERROR "the package holds a file it must not (${wrong}):\n${listing}")
  endif()
endforeach()

# What the package unpacks to: stripped programs that still run, and a desktop entry that
# starts the packaged program with the packaged icon for the file types the package declares.
set(root "${WORK}/root")
execute_process(COMMAND "${DPKG_DEB}" -x "${deb}" "${root}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -x failed: ${result}")
endif()
foreach(program portfolaris portfolaris-cli portfolaris-vtplus)
  file(READ "${root}/usr/bin/${program}" elf LIMIT 4 HEX)
  if(NOT elf STREQUAL "7f454c46")
    message(FATAL_ERROR "usr/bin/${program} is not an ELF program")
  endif()
  file(SIZE "${root}/usr/bin/${program}" size)
  # Debug information makes each program ten times as large as this.
  if(size GREATER 20000000)
    message(FATAL_ERROR "usr/bin/${program} is not stripped: ${size} bytes")
  endif()
endforeach()
execute_process(COMMAND "${root}/usr/bin/portfolaris-cli" info
                        "${root}/usr/share/portfolaris/Demo1.fl2"
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE error)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the packaged portfolaris-cli cannot read the packaged Demo1.fl2:\n${error}")
endif()

file(READ "${root}/usr/share/applications/portfolaris.desktop" desktop)
string(REGEX MATCH "\nExec=[^\n]*" exec "\n${desktop}")
string(REGEX MATCH "\nIcon=[^\n]*" icon "\n${desktop}")
string(REGEX MATCH "\nMimeType=[^\n]*" types "\n${desktop}")
if(NOT exec MATCHES "^\nExec=portfolaris %[fF]$")
  message(FATAL_ERROR "the desktop entry does not start usr/bin/portfolaris with files: ${exec}")
endif()
if(NOT icon STREQUAL "\nIcon=portfolaris")
  message(FATAL_ERROR "the desktop entry names another icon than the packaged one: ${icon}")
endif()
file(READ "${root}/usr/share/mime/packages/portfolaris.xml" mime_xml)
string(REGEX MATCHALL "<mime-type type=\"[^\"]+\"" declared "${mime_xml}")
list(TRANSFORM declared REPLACE "<mime-type type=\"([^\"]+)\"" "\\1")
list(JOIN declared ";" declared)
if(declared STREQUAL "" OR NOT types STREQUAL "\nMimeType=${declared};")
  message(FATAL_ERROR "the desktop entry's ${types} differs from the packaged types ${declared}")
endif()
if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}"
                          "${root}/usr/share/applications/portfolaris.desktop"
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT result EQUAL 0 OR NOT out STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate:\n${out}")
  endif()
endif()
file(REMOVE_RECURSE "${WORK}")
