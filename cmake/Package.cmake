# The Debian package: `make package` builds it with CPack from the release
# build (build-release/) into build/halvorn-setup_<version>_<arch>.deb and
# checks it with lintian. Library dependencies come from
# dpkg-shlibdeps; the run-time pieces that no library pulls in are named here:
# the CJK font the windows need, Qt's own translations, the extra platform
# plugins (the X11 one ships with libqt6gui6).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME halvorn-setup)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Settings editor for the Halvorn trail camera")
# The long description, wrapped at 80 columns: CPack indents each line by one.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Edits the sending settings, mail account, APN and capture settings of the\n"
       "Halvorn cellular trail camera and writes PROFILE.BIN to its memory card.\n"
       "\n"
       "The command halvorn-profile shows, builds and checks PROFILE.BIN as JSON,\n"
       "for setting up many cameras at once.")
set(CPACK_PACKAGE_CONTACT "Halvorn Setup developers <halvorn-setup@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${HALVORN_HOMEPAGE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, qt6-translations-l10n, qt6-qpa-plugins, ca-certificates")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_STRIP_FILES ON)
set(CPACK_HALVORN_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageStrip.cmake)
include(CPack)
