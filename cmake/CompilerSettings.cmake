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
if(NOT WIN32 AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # Statics of inline functions and templates as plain weak symbols: a "unique" one would be
  # exported whatever the version script says, shared with the host, and would keep the
  # module from ever being unloaded.
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fno-gnu-unique>)
endif()
