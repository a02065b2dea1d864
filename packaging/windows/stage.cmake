# Lays out in STAGE what the installer carries: the stripped program and the files beside it in
# BINARY_DIR, the terms of use as the licence page shows them, and for the uninstaller the list of
# the files it must remove.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE}/fonts ${STAGE}/translations)
execute_process(COMMAND ${STRIP} -o ${STAGE}/pondra.exe ${PROGRAM} COMMAND_ERROR_IS_FATAL ANY)
file(COPY ${SOURCE_DIR}/packaging/windows/pondra.ico DESTINATION ${STAGE})
foreach(name SuggerimentiPondra.TXT listino.txt Pondra-dati-riscaldamento.txt)
    file(COPY ${BINARY_DIR}/${name} DESTINATION ${STAGE})
endforeach()
file(GLOB fonts ${BINARY_DIR}/fonts/*)
file(COPY ${fonts} DESTINATION ${STAGE}/fonts)
file(GLOB translations ${BINARY_DIR}/translations/*.qm)
file(COPY ${translations} DESTINATION ${STAGE}/translations)

# The terms, one paragraph a line, as a Windows text: UTF-8 with its mark, CR LF, a blank line
# between paragraphs.
file(STRINGS ${SOURCE_DIR}/resources/condizioni-d-uso.txt paragraphs ENCODING UTF-8)
string(ASCII 239 187 191 text)
foreach(paragraph IN LISTS paragraphs)
    string(APPEND text "${paragraph}\r\n\r\n")
endforeach()
file(WRITE ${STAGE}/licenza.txt "${text}")

set(list "")
foreach(folder fonts translations)
    file(GLOB names RELATIVE ${STAGE}/${folder} ${STAGE}/${folder}/*)
    foreach(name IN LISTS names)
        string(APPEND list "    Delete \"$INSTDIR\\${folder}\\${name}\"\n")
    endforeach()
endforeach()
file(WRITE ${STAGE}/uninstall-files.nsh "${list}")

# The size "App installate" shows, in KiB.
file(GLOB_RECURSE installed ${STAGE}/*)
set(bytes 0)
foreach(file IN LISTS installed)
    file(SIZE ${file} size)
    math(EXPR bytes "${bytes} + ${size}")
endforeach()
math(EXPR kib "(${bytes} + 1023) / 1024")
file(WRITE ${STAGE}/installed-kb.nsh "!define INSTALLED_KB ${kib}\n")
