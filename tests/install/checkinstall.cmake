# cmake -DBUILD_DIR=... -DPREFIX=... -P checkinstall.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${PREFIX}")
# An install only reads the build tree (cmake's own install_manifest.txt aside): a marker before
# it finds any file it writes there. The test folders and CTest's log are written by the tests
# running beside this one.
set(marker "${PREFIX}.marker")
get_filename_component(folder "${marker}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
file(TOUCH "${marker}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E sleep 1)
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
    message(FATAL_ERROR "cmake --install into ${PREFIX} failed")
endif()
execute_process(COMMAND find "${BUILD_DIR}" -path "${PREFIX}" -prune -o -path "${BUILD_DIR}/tests" -prune
                        -o -path "${BUILD_DIR}/Testing" -prune -o -type f -newer "${marker}"
                        ! -name install_manifest.txt -print
                OUTPUT_VARIABLE written OUTPUT_STRIP_TRAILING_WHITESPACE)
file(REMOVE "${marker}")
if(written)
    message(FATAL_ERROR "cmake --install wrote into the build tree:\n${written}")
endif()

set(installed bin/pondra share/pondra/SuggerimentiPondra.TXT share/pondra/listino.txt
              share/pondra/Pondra-dati-riscaldamento.txt share/mime/packages/pondra.xml
              share/metainfo/example.softwareborealis.pondra.metainfo.xml
              share/icons/hicolor/scalable/apps/pondra.svg
              share/icons/hicolor/scalable/mimetypes/application-x-pondra-dati.svg)
foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND installed share/icons/hicolor/${size}x${size}/apps/pondra.png
                          share/icons/hicolor/${size}x${size}/mimetypes/application-x-pondra-dati.png)
endforeach()
foreach(file IN LISTS installed)
    if(NOT EXISTS "${PREFIX}/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
# A folder of its own: the databases brought up to date, and no claim on every .txt file.
find_program(UPDATE_MIME update-mime-database)
if(UPDATE_MIME AND NOT EXISTS "${PREFIX}/share/mime/mime.cache")
    message(FATAL_ERROR "the install did not update share/mime")
endif()
if(EXISTS "${PREFIX}/share/mime/packages/pondra-txt.xml")
    message(FATAL_ERROR "share/mime/packages/pondra-txt.xml installed outside /usr")
endif()

# The entry finds the program through PATH and its icon through the icon theme, so the same file
# serves every prefix and package.
set(entry "${PREFIX}/share/applications/pondra.desktop")
file(STRINGS "${entry}" lines)
foreach(expected "Exec=pondra %f" "TryExec=pondra" "Icon=pondra"
                 "MimeType=application/x-pondra-dati;")
    if(NOT expected IN_LIST lines)
        message(FATAL_ERROR "${entry} lacks the line: ${expected}")
    endif()
endforeach()

find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
    execute_process(COMMAND "${VALIDATE}" "${entry}" RESULT_VARIABLE invalid)
    if(invalid)
        message(FATAL_ERROR "desktop-file-validate refuses ${entry}")
    endif()
else()
    message(WARNING "desktop-file-validate not found (package desktop-file-utils): entry not validated")
endif()

# The software centre's description, checked with the menu entry it launches; no warning either:
# the one remark left is that ".example" is no known top-level domain. The homepage and
# screenshots are not fetched.
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
    execute_process(COMMAND "${APPSTREAMCLI}" validate-tree --no-net --pedantic "${PREFIX}"
                    RESULT_VARIABLE invalid OUTPUT_VARIABLE report ERROR_VARIABLE report)
    if(invalid OR report MATCHES "(^|\n) *[EWP]: ")
        message(FATAL_ERROR "appstreamcli validate-tree refuses ${PREFIX}:\n${report}")
    endif()
else()
    message(WARNING "appstreamcli not found (package appstream): metainfo not validated")
endif()
file(REMOVE_RECURSE "${PREFIX}")
