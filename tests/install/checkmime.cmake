# cmake -DBUILD_DIR=... -DPREFIX=... -P checkmime.cmake
# What a GLib desktop (GNOME, Xfce, file dialogs) makes of study files once Pondra is installed,
# asked of gio itself with only the installed files and the system's own data.
cmake_minimum_required(VERSION 3.25)
find_program(GIO gio)
find_program(UPDATE_MIME update-mime-database)
find_program(UPDATE_DESKTOP update-desktop-database)
if(NOT GIO OR NOT UPDATE_MIME OR NOT UPDATE_DESKTOP)
    message("SKIP: gio, update-mime-database or update-desktop-database missing "
            "(packages libglib2.0-bin, shared-mime-info, desktop-file-utils)")
    return()
endif()

# Installed as a package installs it, into /usr; the package system would then update the
# databases.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env "DESTDIR=${PREFIX}" "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix /usr
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
    message(FATAL_ERROR "cmake --install with DESTDIR ${PREFIX} failed")
endif()
set(share "${PREFIX}/usr/share")
execute_process(COMMAND "${UPDATE_MIME}" "${share}/mime" OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND "${UPDATE_DESKTOP}" "${share}/applications" OUTPUT_QUIET ERROR_QUIET)

# No user or system preferences: only what the installed files and /usr/share say.
set(home "${PREFIX}/home")
file(MAKE_DIRECTORY "${home}/data" "${home}/config" "${home}/files")
set(env "${CMAKE_COMMAND}" -E env LC_ALL=C "XDG_DATA_DIRS=${share}:/usr/share" "XDG_DATA_HOME=${home}/data"
        "XDG_CONFIG_HOME=${home}/config" "XDG_CONFIG_DIRS=${home}/config" XDG_CURRENT_DESKTOP=GNOME)

# Study files are known by name, extension or not, and by content under any name ending in .txt;
# other text stays text.
set(example "${share}/pondra/Pondra-dati-riscaldamento.txt")
set(cases "Pondra-dati-riscaldamento.txt=application/x-pondra-dati" "Pondra-dati-esempio=application/x-pondra-dati"
          "copia dello studio.txt=application/x-pondra-dati" "note.txt=text/plain")
file(WRITE "${home}/files/note.txt" "2\r\nrighe di appunti, non uno studio\r\n")
# Studies of 1 to 100 alternatives by content alone; notes that start as a study does stay text.
foreach(count 1 9 10 100)
    set(study "${count}\r\n")
    foreach(i RANGE 1 ${count})
        string(APPEND study "\"Ipotesi ${i}\",1,50,\"discreto\"\r\n1,\"costo\",\"buono\",3,\"0,8\",\"100\"\r\n")
    endforeach()
    file(WRITE "${home}/files/studio ${count}.txt" "${study}\"p\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n")
    list(APPEND cases "studio ${count}.txt=application/x-pondra-dati")
endforeach()
set(notes "3\r\n\"elenco\", spesa\r\n" "1\n\"citazione\" e basta\n" "101\r\n\"a\",1,2,\"b\"\r\n"
          "10 righe\r\n\"a\",2\r\n" "Elenco spese\r\nluce 30\r\n" "12,5\r\n\"x\",3\r\n"
          "7\r\n\"nome\" ,3\r\n" "1\r\nsecondo \"a\",1\r\n" "nome peso\r\n\"a\",3\r\n")
set(n 0)
foreach(note IN LISTS notes)
    math(EXPR n "${n} + 1")
    file(WRITE "${home}/files/nota ${n}.txt" "${note}")
    list(APPEND cases "nota ${n}.txt=text/plain")
endforeach()
find_program(XDG_MIME xdg-mime)
foreach(case IN LISTS cases)
    string(REPLACE "=" ";" case "${case}")
    list(GET case 0 name)
    list(GET case 1 expected)
    if(NOT EXISTS "${home}/files/${name}")
        file(COPY_FILE "${example}" "${home}/files/${name}")
    endif()
    execute_process(COMMAND ${env} "${GIO}" info -a standard::content-type "${home}/files/${name}"
                    OUTPUT_VARIABLE info)
    if(NOT info MATCHES "standard::content-type: ${expected}\n")
        message(FATAL_ERROR "gio info ${name}: expected ${expected}, got:\n${info}")
    endif()
    if(XDG_MIME)
        execute_process(COMMAND ${env} "${XDG_MIME}" query filetype "${home}/files/${name}"
                        OUTPUT_VARIABLE type OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT type STREQUAL expected)
            message(FATAL_ERROR "xdg-mime query filetype ${name}: expected ${expected}, got ${type}")
        endif()
    endif()
endforeach()

# Study files open with Pondra, found through PATH as the menu entry says; text files are not
# offered to it, lest it become their default where no desktop names one.
set(env ${env} "PATH=${PREFIX}/usr/bin:$ENV{PATH}")
execute_process(COMMAND ${env} "${GIO}" mime application/x-pondra-dati OUTPUT_VARIABLE handlers)
if(NOT handlers MATCHES "^Default application for .application/x-pondra-dati.: pondra.desktop\n")
    message(FATAL_ERROR "gio mime application/x-pondra-dati:\n${handlers}")
endif()
execute_process(COMMAND ${env} "${GIO}" mime text/plain OUTPUT_VARIABLE handlers)
if(handlers MATCHES "pondra.desktop")
    message(FATAL_ERROR "gio mime text/plain offers Pondra:\n${handlers}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
