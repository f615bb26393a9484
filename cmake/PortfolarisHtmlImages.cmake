# The images of the holdings' HTML page (data/html), which the page references in the
# program's folder: copied beside a program of the build tree, installed beside the
# demonstration portfolios.
set(PF_HTML_IMAGES ar1.gif ar2.gif ar3.gif ar4.gif ar5.gif blline.gif grline.gif)

function(pf_copy_html_images)
  foreach(image IN LISTS PF_HTML_IMAGES)
    configure_file(${PROJECT_SOURCE_DIR}/data/html/${image} ${CMAKE_CURRENT_BINARY_DIR}/${image}
                   COPYONLY)
  endforeach()
endfunction()
