# A Debian package of what `cmake --install` installs: `cpack -G DEB` in a Release build tree.
# Library dependencies are read from the executable (dpkg-shlibdeps); what the program only
# uses when present is recommended.
set(CPACK_PACKAGE_NAME pondra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${PONDRA_MAKER}")
set(CPACK_PACKAGE_CONTACT "${PONDRA_MAKER} <info@softwareborealis.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "valutazioni qualsiasi mediante confronto")
# One paragraph per line of the control file's description, each under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION [=[
Pondra mette a confronto fino a cento ipotesi, ciascuna con fino a cento
caratteristiche giudicate su una scala di undici aggettivi e pesate in
percentuale, anche con un confronto a coppie; le mette in classifica e
scrive la relazione di stima firmata dal perito, stampabile o salvabile in
PDF, DOCX e HTML.
.
Dalla riga di comando controlla gli studi, ne stampa classifica e analisi,
scrive le stampe e il foglio di calcolo senza aprire finestre.]=])
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.softwareborealis.example")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Installed with DESTDIR, the install step leaves the desktop's file-type and menu caches to the
# package system's triggers instead of writing them into the package.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)

# Whatever the umask of the machine that builds it: folders 0755, files 0644, the program 0755.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The report's page count is laid out with URW Gothic; Qt's own Italian dialog texts.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-urw-base35, qt6-translations-l10n")

set(CPACK_GENERATOR DEB)
include(CPack)
