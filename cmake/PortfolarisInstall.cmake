# What `cmake --install` puts on the system: the programs (with the teletext stand-in
# portfolaris-vtplus), the demonstration portfolios, and the desktop entry, icon and file
# types, so that opening a ".fl2" (or a first-generation ".flk") in a file manager starts
# Portfolaris with it.
include(GNUInstallDirs)

set(pf_installed_programs portfolaris-cli portfolaris-vtplus)
if(TARGET portfolaris)  # not in the sanitizer build
  list(PREPEND pf_installed_programs portfolaris)
endif()
install(TARGETS ${pf_installed_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(NOT PF_SANITIZE AND NOT PF_FUZZ)
  # Written beside the desktop program by its build; found in share/portfolaris when
  # installed.
  install(FILES
      ${PROJECT_BINARY_DIR}/src/app/Demo1.fl2
      ${PROJECT_BINARY_DIR}/src/app/Demo2.fl2
      ${PROJECT_BINARY_DIR}/src/app/Demo3.fl2
    DESTINATION ${CMAKE_INSTALL_DATADIR}/portfolaris)
endif()
# The images of the holdings' HTML page, where the program looks for them.
list(TRANSFORM PF_HTML_IMAGES PREPEND data/html/ OUTPUT_VARIABLE pf_html_image_files)
install(FILES ${pf_html_image_files} DESTINATION ${CMAKE_INSTALL_DATADIR}/portfolaris)
include(cmake/PortfolarisHandbook.cmake)
install(FILES data/portfolaris.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/portfolaris-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME portfolaris.xml)
install(FILES data/portfolaris.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Refresh the desktop's caches when installing into a live system (not into a staging
# folder), so the file types work at once.
install(CODE [[
  if("$ENV{DESTDIR}" STREQUAL "")
    set(share "${CMAKE_INSTALL_PREFIX}/share")
    find_program(PF_UPDATE_MIME update-mime-database)
    if(PF_UPDATE_MIME)
      execute_process(COMMAND ${PF_UPDATE_MIME} "${share}/mime" OUTPUT_QUIET ERROR_QUIET)
    endif()
    find_program(PF_UPDATE_DESKTOP update-desktop-database)
    if(PF_UPDATE_DESKTOP)
      execute_process(COMMAND ${PF_UPDATE_DESKTOP} "${share}/applications" OUTPUT_QUIET ERROR_QUIET)
    endif()
    find_program(PF_UPDATE_ICONS gtk-update-icon-cache)
    if(PF_UPDATE_ICONS)
      execute_process(COMMAND ${PF_UPDATE_ICONS} -f -t "${share}/icons/hicolor" OUTPUT_QUIET ERROR_QUIET)
    endif()
  endif()
]])
