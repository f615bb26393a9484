# The German handbook (docs/handbuch, HTML with its pictures): copied beside the desktop
# program of the build tree, where its "Hilfe" finds it, and installed with the program's
# documentation (share/doc/portfolaris/handbuch), where the installed program looks.
file(GLOB_RECURSE pf_handbook_files CONFIGURE_DEPENDS
     RELATIVE ${PROJECT_SOURCE_DIR}/docs/handbuch
     ${PROJECT_SOURCE_DIR}/docs/handbuch/*.html ${PROJECT_SOURCE_DIR}/docs/handbuch/*.css
     ${PROJECT_SOURCE_DIR}/docs/handbuch/*.png)
foreach(file IN LISTS pf_handbook_files)
  configure_file(${PROJECT_SOURCE_DIR}/docs/handbuch/${file}
                 ${PROJECT_BINARY_DIR}/src/app/handbuch/${file} COPYONLY)
endforeach()
install(DIRECTORY docs/handbuch/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/portfolaris/handbuch
        FILES_MATCHING PATTERN "*.html" PATTERN "*.css" PATTERN "*.png")
