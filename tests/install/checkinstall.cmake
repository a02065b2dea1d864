# cmake -DBUILD_DIR=... -DPREFIX=... -P checkinstall.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
    message(FATAL_ERROR "cmake --install into ${PREFIX} failed")
endif()

foreach(file bin/pondra share/pondra/SuggerimentiPondra.TXT share/pondra/listino.txt
             share/pondra/Pondra-dati-riscaldamento.txt share/icons/hicolor/scalable/apps/pondra.svg
             share/mime/packages/pondra.xml)
    if(NOT EXISTS "${PREFIX}/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

# The entry starts the program it was installed with, by absolute path, and shows its icon
# without an icon theme.
set(entry "${PREFIX}/share/applications/pondra.desktop")
file(STRINGS "${entry}" lines)
foreach(expected "Exec=\"${PREFIX}/bin/pondra\" %f" "TryExec=${PREFIX}/bin/pondra"
                 "Icon=${PREFIX}/share/icons/hicolor/scalable/apps/pondra.svg")
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
file(REMOVE_RECURSE "${PREFIX}")
