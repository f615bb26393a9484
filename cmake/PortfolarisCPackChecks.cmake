# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE). Without dpkg-shlibdeps (and
# the file utility it is driven by) cpack would write a Debian package whose Depends lacks
# every library the programs link, and report success: refuse instead.
if(CPACK_GENERATOR STREQUAL "DEB" AND CPACK_DEBIAN_PACKAGE_SHLIBDEPS)
  foreach(tool dpkg-shlibdeps file)
    find_program(pf_tool_${tool} ${tool})
    if(NOT pf_tool_${tool})
      message(FATAL_ERROR "The Debian package needs ${tool} (packages dpkg-dev and file) to "
                          "find the libraries it depends on; scripts/setup installs them.")
    endif()
  endforeach()
endif()
