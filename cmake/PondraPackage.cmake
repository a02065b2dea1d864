# A Debian package of what `cmake --install` installs: `cpack -G DEB` in a Release build tree.
# Library dependencies are read from the executable (dpkg-shlibdeps); what the program only
# uses when present is recommended or suggested.
set(CPACK_PACKAGE_NAME pondra)
set(CPACK_PACKAGE_VENDOR "Software Borealis")
set(CPACK_PACKAGE_CONTACT "Software Borealis <info@softwareborealis.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "valutazioni qualsiasi mediante confronto")
set(CPACK_PACKAGE_DESCRIPTION
    "Pondra mette a confronto fino a cento ipotesi, ciascuna con fino a cento caratteristiche \
giudicate su una scala di undici aggettivi e pesate in percentuale; le mette in classifica e \
scrive la relazione di stima firmata dal perito, stampabile o salvabile in PDF, DOCX e HTML.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.softwareborealis.example")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The install step writes the menu entry with the prefix it installs to: /usr, not the staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)

set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The report's page count is laid out with URW Gothic; Qt's own Italian dialog texts.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-urw-base35, qt6-translations-l10n")
# The start-up music, when a MIDI player is there.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "timidity")

set(CPACK_GENERATOR DEB)
include(CPack)
