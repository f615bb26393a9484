# Compiler settings shared by every target of the project.
add_library(pf_options INTERFACE)
target_compile_options(pf_options INTERFACE
  -Wall -Wextra
  # Results must be identical on every build: no fused multiply-add, no fast-math.
  -ffp-contract=off)
if(PF_WERROR)
  target_compile_options(pf_options INTERFACE -Werror)
endif()
if(PF_SANITIZE)
  target_compile_options(pf_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(pf_options INTERFACE -fsanitize=address,undefined)
endif()
if(PF_FUZZ)
  target_compile_options(pf_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined)
  target_link_options(pf_options INTERFACE -fsanitize=address,undefined)
endif()
