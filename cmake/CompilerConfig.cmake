# One interface target carries the warning set; every project target links it.
add_library(vantorel_compiler_config INTERFACE)
target_compile_features(vantorel_compiler_config INTERFACE cxx_std_20)
target_compile_options(vantorel_compiler_config INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Wconversion -Wno-sign-conversion>
  $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>
  $<$<CXX_COMPILER_ID:Clang>:-Wshadow>
  $<$<AND:$<CXX_COMPILER_ID:GNU,Clang>,$<BOOL:${VANTOREL_WERROR}>>:-Werror>)
