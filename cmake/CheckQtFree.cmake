# cmake -DROOT=<source dir> -P CheckQtFree.cmake
# Fails when a Qt-free file (anything in core/, and the files of app/, ops/, edit/, view/ and cli/
# whose names do not end in _window, _dialog, _widget, _model or _qt) includes a Qt header.
file(GLOB_RECURSE files "${ROOT}/core/*" "${ROOT}/app/*" "${ROOT}/ops/*" "${ROOT}/edit/*"
     "${ROOT}/view/*" "${ROOT}/cli/*")
set(offenders "")
foreach(file IN LISTS files)
  if(NOT file MATCHES "\\.(h|cpp)$")
    continue()
  endif()
  if(file MATCHES "_(window|dialog|widget|model|qt)\\.(h|cpp)$" OR file MATCHES "/app/main\\.cpp$")
    continue()
  endif()
  file(STRINGS "${file}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|Qt[A-Za-z]*/)")
  if(hits)
    list(APPEND offenders "${file}")
  endif()
endforeach()
if(offenders)
  message(FATAL_ERROR "Qt headers in Qt-free files: ${offenders}")
endif()
message(STATUS "Qt-free layers are clean")
