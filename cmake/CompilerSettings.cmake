# Warnings, floating-point and sanitizer settings shared by every target.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -msse2)
# Keep a*b+c as two roundings so both platforms produce the same samples.
add_compile_options(-ffp-contract=off)

if(VANTOR_SANITIZER STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(VANTOR_SANITIZER STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT VANTOR_SANITIZER STREQUAL "")
  message(FATAL_ERROR "Unknown VANTOR_SANITIZER '${VANTOR_SANITIZER}'")
endif()

if(WIN32)
  # The DLL must name only Windows system DLLs in its import table.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
