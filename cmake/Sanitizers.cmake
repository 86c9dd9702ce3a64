# AddressSanitizer + UndefinedBehaviorSanitizer for the whole build, on a switch. The same switch
# turns on the standard library's checked containers, which catch an index past the end of a
# vector that stays inside its allocation, where AddressSanitizer sees nothing.
option(VANTOREL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(VANTOREL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
  add_link_options(-fsanitize=address,undefined)
endif()

# Fuzz builds instrument every library for libFuzzer's coverage; the fuzz targets link the driver.
if(VANTOREL_BUILD_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
