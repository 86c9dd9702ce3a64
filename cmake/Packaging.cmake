# The installed layout beyond the programs and the manual pages, and the Debian package that
# "make package" builds from it (CPack, DEB generator).

if(VANTOREL_BUILD_GUI)
  install(FILES resources/vantorel.desktop DESTINATION share/applications)
  install(FILES resources/vantorel.svg DESTINATION share/icons/hicolor/scalable/apps)
  # Made from the SVG by scripts/make-icons.
  foreach(size 16 24 32 48 64 128 256)
    install(FILES resources/icons/${size}x${size}/vantorel.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps)
  endforeach()
  install(FILES resources/vantorel-col.xml DESTINATION share/mime/packages)
  install(FILES resources/org.vantorel.Vantorel.metainfo.xml DESTINATION share/metainfo)
endif()
install(FILES resources/completion/vantorel-cli.bash
        DESTINATION share/bash-completion/completions RENAME vantorel-cli)
install(FILES resources/sample.col DESTINATION share/vantorel)

if(UNIX)
  # Debian wants the copyright and, for a package without a separate Debian revision, the
  # changelog gzipped under the package's documentation folder.
  set(VANTOREL_DOC_DIR share/doc/vantorel)
  set(changelog "${PROJECT_BINARY_DIR}/packaging/changelog")
  add_custom_command(
    OUTPUT "${changelog}.gz"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${PROJECT_BINARY_DIR}/packaging"
    COMMAND ${CMAKE_COMMAND} -E copy "${PROJECT_SOURCE_DIR}/packaging/changelog" "${changelog}"
    COMMAND gzip -9nf "${changelog}"
    DEPENDS "${PROJECT_SOURCE_DIR}/packaging/changelog"
    VERBATIM)
  add_custom_target(package_changelog ALL DEPENDS "${changelog}.gz")
  install(FILES packaging/copyright "${changelog}.gz" DESTINATION ${VANTOREL_DOC_DIR})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantorel)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Vantorel developers")
set(CPACK_PACKAGE_CONTACT "The Vantorel developers <team@vantorel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for GTA III and Vice City collision files")
set(CPACK_PACKAGE_DESCRIPTION
    "Vantorel opens the collision files (.col) of GTA III and Vice City, lists their
colls and shows each one in a 3D view, where spheres, boxes and faces can be
edited. vantorel-cli lists, checks and edits the same files from the command
line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vantorel.org")
# The dependencies come from the binaries themselves, through dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Directories the package creates get the usual 0755, whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)

# The package's version is the project's; the programs say theirs through their caption.
file(READ src/core/core/program_identity.h identity)
string(FIND "${identity}" "\"Vantorel ${PROJECT_VERSION} " at)
if(at EQUAL -1)
  message(FATAL_ERROR "src/core/core/program_identity.h does not name version ${PROJECT_VERSION}")
endif()
