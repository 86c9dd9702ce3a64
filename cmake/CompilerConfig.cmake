# One interface target carries the warning set; every project target links it. A target that
# sets the property VANTOREL_SIGN_CONVERSION (the core, where sizes and offsets are computed)
# is also warned about implicit conversions between signed and unsigned integers.
add_library(vantorel_compiler_config INTERFACE)
target_compile_features(vantorel_compiler_config INTERFACE cxx_std_20)
set(vantorel_sign_conversion "$<BOOL:$<TARGET_PROPERTY:VANTOREL_SIGN_CONVERSION>>")
target_compile_options(vantorel_compiler_config INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Wconversion>
  $<$<AND:$<CXX_COMPILER_ID:GNU,Clang>,${vantorel_sign_conversion}>:-Wsign-conversion>
  $<$<AND:$<CXX_COMPILER_ID:GNU,Clang>,$<NOT:${vantorel_sign_conversion}>>:-Wno-sign-conversion>
  $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>
  $<$<CXX_COMPILER_ID:Clang>:-Wshadow>
  $<$<AND:$<CXX_COMPILER_ID:GNU,Clang>,$<BOOL:${VANTOREL_WERROR}>>:-Werror>)
